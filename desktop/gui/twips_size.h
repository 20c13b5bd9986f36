#pragma once

#include <wx/window.h>

namespace quorvane {

// The window's display resolution in the pixels its places are given in. Under a scaled
// desktop (200 %) the toolkit reports twice the dots per inch while places stay in
// unscaled pixels; taking the reported figure would scale the window twice.
int LogicalDotsPerInch(const wxWindow* window);

// A size or place given in twips (1440 per inch) as pixels at the window's display
// resolution, so the secondary windows keep their designed proportions on any screen.
wxSize TwipsToSize(const wxWindow* window, float widthTwips, float heightTwips);
wxPoint TwipsToPoint(const wxWindow* window, float leftTwips, float topTwips);

}  // namespace quorvane
