#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace quorvane {

// The pieces an HTML text is made of, as far as reading its source needs them: no tree
// is built and nothing is repaired, so every byte of the text is in exactly one token.
enum class TokenKind {
    Text,
    StartTag,
    EndTag,
    Comment,      // <!-- ... -->
    Declaration,  // <!DOCTYPE ...>, <?xml ...?>, <![CDATA[ ...>
    RawText,      // the content of script, style, textarea, title and their like
};

// HTML's ASCII white space, which parts a tag's name and attributes.
constexpr bool IsMarkupSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// text without the white space around it.
std::string_view TrimmedMarkupSpaces(std::string_view text);

struct MarkupToken {
    TokenKind kind;
    std::size_t begin;
    std::size_t end;        // one past the token's last byte
    std::string_view name;  // a tag's name as written; empty for other tokens
};

// Calls onToken for each token of text, in order. Linear in the text's length, whatever
// it holds: an unclosed comment or tag runs to the end of the text.
void ForEachToken(std::string_view text, const std::function<void(const MarkupToken&)>& onToken);

struct MarkupAttribute {
    std::string_view name;
    std::size_t valueBegin;  // the value without its quotes; empty when there is none
    std::size_t valueEnd;
};

// Calls onAttribute for each attribute of the start tag token of text.
void ForEachAttribute(std::string_view text, const MarkupToken& tag,
                      const std::function<void(const MarkupAttribute&)>& onAttribute);

}  // namespace quorvane
