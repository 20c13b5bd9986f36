#include "branding/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// What body text needs to be read with ease.
constexpr double kReadableContrast = 4.5;
constexpr double kLightnessStep = 0.02;

double Linear(int channel) {
    const double value = channel / 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const RtfColour& colour) {
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) +
           0.0722 * Linear(colour.blue);
}

struct Hsl {
    double hue = 0;  // 0..6, in sixths of the circle
    double saturation = 0;
    double lightness = 0;
};

Hsl ToHsl(const RtfColour& colour) {
    const double r = colour.red / 255.0;
    const double g = colour.green / 255.0;
    const double b = colour.blue / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    Hsl hsl;
    hsl.lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma == 0) {
        return hsl;
    }
    hsl.saturation = chroma / (1 - std::abs(2 * hsl.lightness - 1));
    if (high == r) {
        hsl.hue = std::fmod((g - b) / chroma + 6, 6);
    } else if (high == g) {
        hsl.hue = (b - r) / chroma + 2;
    } else {
        hsl.hue = (r - g) / chroma + 4;
    }
    return hsl;
}

RtfColour FromHsl(const Hsl& hsl) {
    const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
    const double second = chroma * (1 - std::abs(std::fmod(hsl.hue, 2) - 1));
    double r = 0;
    double g = 0;
    double b = 0;
    switch (static_cast<int>(hsl.hue) % 6) {
        case 0:
            r = chroma, g = second;
            break;
        case 1:
            r = second, g = chroma;
            break;
        case 2:
            g = chroma, b = second;
            break;
        case 3:
            g = second, b = chroma;
            break;
        case 4:
            r = second, b = chroma;
            break;
        default:
            r = chroma, b = second;
            break;
    }
    const double lift = hsl.lightness - chroma / 2;
    const auto channel = [lift](double value) {
        return std::clamp(static_cast<int>(std::lround((value + lift) * 255)), 0, 255);
    };
    return {channel(r), channel(g), channel(b)};
}

}  // namespace

double ContrastRatio(const RtfColour& a, const RtfColour& b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

RtfColour ReadableOn(const RtfColour& text, const RtfColour& background) {
    if (ContrastRatio(text, background) >= kReadableContrast) {
        return text;
    }
    // Text goes light on a dark background and dark on a light one.
    const bool darkBackground = Luminance(background) < 0.18;
    Hsl hsl = ToHsl(text);
    hsl.lightness = darkBackground ? std::max(hsl.lightness, 1 - hsl.lightness)
                                   : std::min(hsl.lightness, 1 - hsl.lightness);
    for (;; hsl.lightness += darkBackground ? kLightnessStep : -kLightnessStep) {
        hsl.lightness = std::clamp(hsl.lightness, 0.0, 1.0);
        const RtfColour candidate = FromHsl(hsl);
        if (ContrastRatio(candidate, background) >= kReadableContrast || hsl.lightness <= 0 ||
            hsl.lightness >= 1) {
            return candidate;
        }
    }
}

}  // namespace quorvane
