#include "saving/image_type.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>

namespace quorvane {
namespace {

// A signature is the bytes at an offset, after a lead at the file's start when the format
// has one (a WebP file is a RIFF file: "WEBP" at byte 8 of anything else is no WebP).
struct Signature {
    std::string_view lead;
    std::size_t offset;
    std::string_view bytes;
    const char* type;
};

using namespace std::string_view_literals;

constexpr std::array kSignatures{
    Signature{""sv, 0, "\x89PNG\r\n\x1A\n"sv, "image/png"},
    Signature{""sv, 0, "\xFF\xD8\xFF"sv, "image/jpeg"},
    Signature{""sv, 0, "GIF87a"sv, "image/gif"},
    Signature{""sv, 0, "GIF89a"sv, "image/gif"},
    Signature{"RIFF"sv, 8, "WEBP"sv, "image/webp"},
    Signature{""sv, 4, "ftypavif"sv, "image/avif"},
    Signature{""sv, 4, "ftypavis"sv, "image/avif"},
    Signature{""sv, 0, "BM"sv, "image/bmp"},
    Signature{""sv, 0, "\0\0\1\0"sv, "image/x-icon"},
    Signature{""sv, 0, "II*\0"sv, "image/tiff"},
    Signature{""sv, 0, "MM\0*"sv, "image/tiff"},
    Signature{""sv, 0, "\xFF\x0A"sv, "image/jxl"},
};

constexpr std::string_view kXmlSpace = " \t\r\n";

// What follows a construct of the prolog that begins text (a declaration, a processing
// instruction, a comment, a doctype), or nullopt when it is not one or does not end in text.
std::optional<std::string_view> AfterPrologPart(std::string_view text) {
    const struct {
        std::string_view open, close;
    } parts[] = {{"<?", "?>"}, {"<!--", "-->"}, {"<!DOCTYPE", ">"}};
    for (const auto& part : parts) {
        if (text.starts_with(part.open)) {
            // A doctype's internal subset may hold ">" inside its brackets.
            const std::size_t subset =
                part.open == "<!DOCTYPE" ? text.find('[') : std::string_view::npos;
            const std::size_t from = subset != std::string_view::npos && subset < text.find('>')
                                         ? text.find(']', subset)
                                         : part.open.size();
            const std::size_t end =
                from == std::string_view::npos ? from : text.find(part.close, from);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            return text.substr(end + part.close.size());
        }
    }
    return std::nullopt;
}

// An SVG file is XML whose document element is svg: only a prolog may stand before it. An
// HTML page with an inline <svg> near its start is no SVG file.
bool IsSvgDocument(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    for (;;) {
        text.remove_prefix(std::min(text.find_first_not_of(kXmlSpace), text.size()));
        const std::optional<std::string_view> after = AfterPrologPart(text);
        if (!after) {
            break;
        }
        text = *after;
    }
    return text.starts_with("<svg") && text.size() > 4 &&
           (kXmlSpace.find(text[4]) != std::string_view::npos || text[4] == '>' || text[4] == '/');
}

}  // namespace

std::string SniffedImageType(std::string_view head) {
    for (const Signature& signature : kSignatures) {
        if (head.starts_with(signature.lead) &&
            head.substr(std::min(signature.offset, head.size())).starts_with(signature.bytes)) {
            return signature.type;
        }
    }
    if (IsSvgDocument(head.substr(0, kImageSignatureBytes))) {
        return "image/svg+xml";
    }
    return {};
}

std::string SniffedImageFileType(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string head(kImageSignatureBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return SniffedImageType(head);
}

}  // namespace quorvane
