#include "inspection/document_charset.h"

#include <array>

#include "inspection/encoding_prescan.h"

namespace quorvane {

std::optional<ByteOrderMark> ByteOrderMarkOf(std::string_view bytes) {
    struct Mark {
        std::string_view bytes;
        std::string_view label;
    };
    constexpr std::array<Mark, 3> kMarks = {{
        {"\xEF\xBB\xBF", "utf-8"},
        {"\xFF\xFE", "utf-16le"},
        {"\xFE\xFF", "utf-16be"},
    }};
    for (const Mark& mark : kMarks) {
        if (bytes.starts_with(mark.bytes)) {
            return ByteOrderMark{*EncodingForLabel(mark.label), mark.bytes.size()};
        }
    }
    return std::nullopt;
}

DocumentEncoding ChooseDocumentEncoding(std::string_view bytes, std::string_view responseCharset) {
    if (const std::optional<ByteOrderMark> mark = ByteOrderMarkOf(bytes)) {
        return {mark->encoding, mark->length};
    }
    if (const std::optional<WebEncoding> served = EncodingForLabel(responseCharset)) {
        return {*served, 0};
    }
    return {PrescannedEncoding(bytes).value_or(kUtf8Encoding), 0};
}

}  // namespace quorvane
