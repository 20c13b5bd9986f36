#include "desktop/gui/twips_size.h"

#include <cmath>

#include "desktop/twips.h"

namespace quorvane {

int LogicalDotsPerInch(const wxWindow* window) {
    return static_cast<int>(
        std::lround(window->GetDPI().GetHeight() / window->GetContentScaleFactor()));
}

wxSize TwipsToSize(const wxWindow* window, float widthTwips, float heightTwips) {
    const int dpi = LogicalDotsPerInch(window);
    return {TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
}

wxPoint TwipsToPoint(const wxWindow* window, float leftTwips, float topTwips) {
    const wxSize size = TwipsToSize(window, leftTwips, topTwips);
    return {size.x, size.y};
}

}  // namespace quorvane
