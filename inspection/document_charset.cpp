#include "inspection/document_charset.h"

#include <array>

#include "analysis/text_search.h"
#include "inspection/encoding_prescan.h"
#include "inspection/markup_tokens.h"

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

std::optional<std::string> CharsetParameter(std::string_view contentType) {
    const std::size_t at = FindNoCase(contentType, "charset");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = TrimmedMarkupSpaces(contentType.substr(at + 7));
    if (!rest.starts_with('=')) {
        return std::nullopt;
    }
    rest = TrimmedMarkupSpaces(rest.substr(1));
    if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
        const char quote = rest.front();
        rest.remove_prefix(1);
        rest = rest.substr(0, rest.find(quote));
    } else {
        rest = rest.substr(0, rest.find_first_of("; \t"));
    }
    rest = TrimmedMarkupSpaces(rest);
    return rest.empty() ? std::nullopt : std::optional<std::string>(rest);
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
