#include "desktop/twips_size.h"

#include "desktop/twips.h"

namespace quorvane {

wxSize TwipsToSize(const wxWindow* window, float widthTwips, float heightTwips) {
    const wxSize dpi = window->GetDPI();
    return {TwipsToPixels(widthTwips, dpi.x), TwipsToPixels(heightTwips, dpi.y)};
}

wxPoint TwipsToPoint(const wxWindow* window, float leftTwips, float topTwips) {
    const wxSize size = TwipsToSize(window, leftTwips, topTwips);
    return {size.x, size.y};
}

}  // namespace quorvane
