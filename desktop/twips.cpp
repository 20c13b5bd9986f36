#include "desktop/twips.h"

#include <cmath>

namespace quorvane {

namespace {

// Some X servers report no resolution at all; the conventional 96 DPI is then the
// only sensible guess.
constexpr int kFallbackDotsPerInch = 96;

int UsableDotsPerInch(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch : kFallbackDotsPerInch;
}

}  // namespace

int TwipsToPixels(float twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * UsableDotsPerInch(dotsPerInch) / kTwipsPerInch));
}

float PixelsToTwips(int pixels, int dotsPerInch) {
    return static_cast<float>(pixels) * kTwipsPerInch / UsableDotsPerInch(dotsPerInch);
}

}  // namespace quorvane
