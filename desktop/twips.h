#pragma once

namespace quorvane {

constexpr float kTwipsPerInch = 1440.0f;

// Twips to whole pixels at the display's real resolution (15 twips a pixel at 96 DPI).
int TwipsToPixels(float twips, int dotsPerInch);
float PixelsToTwips(int pixels, int dotsPerInch);

}  // namespace quorvane
