#pragma once

#include <wx/window.h>

namespace quorvane {

// A size or place given in twips (1440 per inch) as pixels at the window's display
// resolution, so the secondary windows keep their designed proportions on any screen.
wxSize TwipsToSize(const wxWindow* window, float widthTwips, float heightTwips);
wxPoint TwipsToPoint(const wxWindow* window, float leftTwips, float topTwips);

}  // namespace quorvane
