#include "desktop/new_window_place.h"

#include <algorithm>

namespace quorvane {

ScreenRect NewWindowPlace(const ScreenRect& opener, const ScreenRect& workArea, int step) {
    const int width = std::min(opener.width, workArea.width);
    const int height = std::min(opener.height, workArea.height);
    ScreenRect place{std::max(opener.x, workArea.x) + step, std::max(opener.y, workArea.y) + step,
                     width, height};
    place.width = std::min(width, workArea.x + workArea.width - place.x);
    place.height = std::min(height, workArea.y + workArea.height - place.y);
    if (place.width < width / 2 || place.height < height / 2) {
        return {workArea.x, workArea.y, width, height};
    }
    return place;
}

}  // namespace quorvane
