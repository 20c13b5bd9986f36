#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string_view>

#include "base/ascii.h"

namespace quorvane {

// The pieces an HTML text is made of, as far as reading its source needs them, cut where
// the HTML standard's tokenizer cuts them: no tree is built and nothing is repaired, so
// every byte of the text is in exactly one token. Of the tree builder only what sets the
// tokenizer's state is followed: the elements whose content is text (script, style,
// title, textarea, plaintext and their like), and SVG and MathML, where those elements
// hold markup and "<![CDATA[" opens a section.
enum class TokenKind {
    Text,
    StartTag,
    EndTag,
    Comment,      // <!-- ... -->
    Declaration,  // <!DOCTYPE ...>, <?xml ...?>, <![CDATA[ ... ]]>, and "<!x>", "</ x>"
    // The content of script, style, title, textarea and their like up to their end tag
    // (perhaps empty), and of plaintext to the end of the text. It always follows its
    // element's start tag, when that has its ">".
    RawText,
};

// HTML's ASCII white space, which parts a tag's name and attributes.
constexpr bool IsMarkupSpace(char c) {
    return IsAsciiWhitespace(c);
}

// text without the white space around it.
constexpr std::string_view TrimmedMarkupSpaces(std::string_view text) {
    return TrimmedAsciiWhitespace(text);
}

struct MarkupToken {
    TokenKind kind;
    std::size_t begin;
    std::size_t end;        // one past the token's last byte
    std::string_view name;  // a tag's name as written; empty for other tokens
    // The text ended inside the token: a tag without its ">", a comment without its end,
    // the content of a script or the like without its end tag, that of plaintext.
    bool unclosed = false;
    // A start tag that "/>" closes, as in SVG and MathML. On an HTML element the "/"
    // changes nothing: "<pre/>" opens a pre.
    bool closesItself = false;
};

// Calls onToken for each token of text, in order. Linear in the text's length, whatever
// it holds: an unclosed comment or tag runs to the end of the text. Scripting counts as
// on, as in the Browser view: noscript holds text. Once stop is asked no token follows, so
// that a scan of megabytes no one waits for any more ends early.
void ForEachToken(std::string_view text, const std::function<void(const MarkupToken&)>& onToken,
                  std::stop_token stop = {});

struct MarkupAttribute {
    std::string_view name;
    std::size_t valueBegin;  // the value without its quotes; empty when there is none
    std::size_t valueEnd;
};

// Calls onAttribute for each attribute of the start tag token of text.
void ForEachAttribute(std::string_view text, const MarkupToken& tag,
                      const std::function<void(const MarkupAttribute&)>& onAttribute);

}  // namespace quorvane
