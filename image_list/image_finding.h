#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// How the page uses an image: one bit each, as a row of the Image List may be found
// several ways.
enum class ImageKind : std::uint16_t {
    Img = 1 << 0,           // <img>'s chosen address
    Srcset = 1 << 1,        // a srcset candidate of <img>
    Picture = 1 << 2,       // a <picture><source srcset> candidate
    Css = 1 << 3,           // a CSS image of an element or its ::before/::after
    Lazy = 1 << 4,          // a data-* attribute that holds an image address or srcset
    InlineSvg = 1 << 5,     // an inline <svg>, as a data: picture of its markup
    SvgReference = 1 << 6,  // SVG <image> or <use>
    Poster = 1 << 7,        // <video poster>
    InputImage = 1 << 8,    // <input type=image>
    Icon = 1 << 9,          // <link rel~=icon>
    OpenGraph = 1 << 10,    // <meta property=og:image>
    Embedded = 1 << 11,     // <object> or <embed> of an image type
    Link = 1 << 12,         // a link to an image file (the analyser's lists)
};
using ImageKinds = std::uint16_t;

inline constexpr ImageKinds KindBit(ImageKind kind) {
    return static_cast<ImageKinds>(kind);
}

// The kind by the gatherer's name for it ("img", "css", ...); 0 for a name it never
// sends.
ImageKinds KindByName(std::string_view name);
// "img, srcset, css": the kinds by name, in the order of the enumeration.
std::string KindNames(ImageKinds kinds);

// One use of an image by the page, as the gatherer reports it.
struct ImageFinding {
    std::string address{};
    ImageKinds kind = 0;
    std::string descriptor{};  // a srcset candidate's "2x" or "640w"
    std::string group{};       // the srcset an address is a candidate of; "" for none
    std::uint32_t naturalWidth = 0;
    std::uint32_t naturalHeight = 0;
    std::uint32_t shownWidth = 0;  // 0 × 0 when the image is not rendered
    std::uint32_t shownHeight = 0;
    std::string text{};  // alt or title
    // An <img> with no alt attribute at all; alt="" says the picture is decoration.
    bool withoutAlt = false;
    bool cut = false;  // the address was longer than the gatherer sends
};

}  // namespace quorvane
