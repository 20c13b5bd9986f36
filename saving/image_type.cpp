#include "saving/image_type.h"

#include <array>

namespace quorvane {
namespace {

struct Signature {
    std::size_t offset;
    std::string_view bytes;
    const char* type;
};

using namespace std::string_view_literals;

constexpr std::array kSignatures{
    Signature{0, "\x89PNG\r\n\x1A\n"sv, "image/png"},
    Signature{0, "\xFF\xD8\xFF"sv, "image/jpeg"},
    Signature{0, "GIF87a"sv, "image/gif"},
    Signature{0, "GIF89a"sv, "image/gif"},
    Signature{8, "WEBP"sv, "image/webp"},
    Signature{4, "ftypavif"sv, "image/avif"},
    Signature{4, "ftypavis"sv, "image/avif"},
    Signature{0, "BM"sv, "image/bmp"},
    Signature{0, "\0\0\1\0"sv, "image/x-icon"},
    Signature{0, "II*\0"sv, "image/tiff"},
    Signature{0, "MM\0*"sv, "image/tiff"},
    Signature{0, "\xFF\x0A"sv, "image/jxl"},
};

}  // namespace

std::string SniffedImageType(std::string_view head) {
    for (const Signature& signature : kSignatures) {
        if (head.substr(std::min(signature.offset, head.size())).starts_with(signature.bytes)) {
            return signature.type;
        }
    }
    // SVG is text: its root element comes after an XML declaration, comments or blanks.
    if (head.substr(0, kImageSignatureBytes).find("<svg") != std::string_view::npos) {
        return "image/svg+xml";
    }
    return {};
}

}  // namespace quorvane
