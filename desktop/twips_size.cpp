#include "desktop/twips_size.h"

#include <cmath>

namespace quorvane {

namespace {

constexpr float kTwipsPerInch = 1440.0f;

int ToPixels(float twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * static_cast<float>(dotsPerInch) / kTwipsPerInch));
}

}  // namespace

wxSize TwipsToSize(const wxWindow* window, float widthTwips, float heightTwips) {
    const wxSize dpi = window->GetDPI();
    return {ToPixels(widthTwips, dpi.x), ToPixels(heightTwips, dpi.y)};
}

wxPoint TwipsToPoint(const wxWindow* window, float leftTwips, float topTwips) {
    const wxSize size = TwipsToSize(window, leftTwips, topTwips);
    return {size.x, size.y};
}

}  // namespace quorvane
