#pragma once

#include "desktop/screen_rect.h"

namespace quorvane {

// Where a window opened from another goes: step pixels down and right of its opener, so that
// the user sees the new one and the edge of the old one, and within the work area (made
// smaller to fit). When that would leave it less than half the opener's width or height, it
// starts again at the area's top left corner, at the opener's size as far as that fits.
ScreenRect NewWindowPlace(const ScreenRect& opener, const ScreenRect& workArea, int step);

}  // namespace quorvane
