#include "inspection/document_charset.h"

#include <array>

#include "analysis/text_search.h"
#include "inspection/markup_tokens.h"

namespace quorvane {
std::optional<ByteOrderMark> ByteOrderMarkOf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return ByteOrderMark{"UTF-8", 3};
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return ByteOrderMark{"UTF-16LE", 2};
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return ByteOrderMark{"UTF-16BE", 2};
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

std::optional<std::string> DeclaredCharset(std::string_view bytes) {
    constexpr std::size_t kLookedAt = 1024;
    const std::string_view head = bytes.substr(0, kLookedAt);
    std::optional<std::string> found;
    ForEachToken(head, [&](const MarkupToken& token) {
        if (found || token.kind != TokenKind::StartTag || !EqualsNoCase(token.name, "meta")) {
            return;
        }
        std::optional<std::string> charset;
        std::optional<std::string> content;
        bool contentType = false;
        ForEachAttribute(head, token, [&](const MarkupAttribute& attribute) {
            const std::string_view value =
                head.substr(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin);
            if (EqualsNoCase(attribute.name, "charset") && !TrimmedMarkupSpaces(value).empty()) {
                charset = std::string(TrimmedMarkupSpaces(value));
            } else if (EqualsNoCase(attribute.name, "content")) {
                content = std::string(value);
            } else if (EqualsNoCase(attribute.name, "http-equiv")) {
                contentType = EqualsNoCase(TrimmedMarkupSpaces(value), "content-type");
            }
        });
        if (charset) {
            found = charset;
        } else if (contentType && content) {
            found = CharsetParameter(*content);
        }
    });
    return found;
}

std::string EncodingForLabel(std::string_view label) {
    struct Alias {
        std::string_view label;
        std::string_view encoding;
    };
    constexpr std::array<Alias, 12> kAliases = {{
        {"utf8", "UTF-8"},
        {"unicode-1-1-utf-8", "UTF-8"},
        {"iso-8859-1", "WINDOWS-1252"},
        {"iso8859-1", "WINDOWS-1252"},
        {"iso_8859-1", "WINDOWS-1252"},
        {"latin1", "WINDOWS-1252"},
        {"l1", "WINDOWS-1252"},
        {"us-ascii", "WINDOWS-1252"},
        {"ascii", "WINDOWS-1252"},
        {"cp1252", "WINDOWS-1252"},
        {"x-cp1252", "WINDOWS-1252"},
        {"cp819", "WINDOWS-1252"},
    }};
    const std::string_view trimmed = TrimmedMarkupSpaces(label);
    for (const Alias& alias : kAliases) {
        if (EqualsNoCase(trimmed, alias.label)) {
            return std::string(alias.encoding);
        }
    }
    std::string encoding(trimmed);
    for (char& c : encoding) {
        c = UpperAscii(c);
    }
    return encoding;
}

}  // namespace quorvane
