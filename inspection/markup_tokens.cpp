#include "inspection/markup_tokens.h"

#include <array>

#include "analysis/text_search.h"

namespace quorvane {
namespace {

// Elements whose content is text to the end tag, never markup: an address in a script's
// string or a title is no attribute.
bool HoldsRawText(std::string_view name) {
    constexpr std::array<std::string_view, 9> kRawTextElements = {
        "script", "style",   "textarea", "title",    "xmp",
        "iframe", "noembed", "noframes", "plaintext"};
    for (const std::string_view element : kRawTextElements) {
        if (EqualsNoCase(name, element)) {
            return true;
        }
    }
    return false;
}

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsMarkupSpace(text[pos])) {
        ++pos;
    }
    return pos;
}

// Reads the attribute at pos (no space before it) and returns where it ends.
std::size_t ReadAttribute(std::string_view text, std::size_t pos, MarkupAttribute& attribute) {
    const std::size_t nameBegin = pos;
    // A "=" first is part of the name, as browsers read it.
    ++pos;
    while (pos < text.size() && !IsMarkupSpace(text[pos]) && text[pos] != '/' && text[pos] != '>' &&
           text[pos] != '=') {
        ++pos;
    }
    attribute = {text.substr(nameBegin, pos - nameBegin), pos, pos};
    const std::size_t afterName = SkipSpaces(text, pos);
    if (afterName >= text.size() || text[afterName] != '=') {
        return pos;
    }
    pos = SkipSpaces(text, afterName + 1);
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const std::size_t close = text.find(text[pos], pos + 1);
        const std::size_t valueEnd = close == std::string_view::npos ? text.size() : close;
        attribute.valueBegin = pos + 1;
        attribute.valueEnd = valueEnd;
        return close == std::string_view::npos ? text.size() : close + 1;
    }
    attribute.valueBegin = pos;
    while (pos < text.size() && !IsMarkupSpace(text[pos]) && text[pos] != '>') {
        ++pos;
    }
    attribute.valueEnd = pos;
    return pos;
}

// Walks the attributes from pos to the tag's ">" and returns one past it (or the text's end).
std::size_t WalkAttributes(std::string_view text, std::size_t pos,
                           const std::function<void(const MarkupAttribute&)>* onAttribute) {
    while (true) {
        while (pos < text.size() && (IsMarkupSpace(text[pos]) || text[pos] == '/')) {
            ++pos;
        }
        if (pos >= text.size()) {
            return text.size();
        }
        if (text[pos] == '>') {
            return pos + 1;
        }
        MarkupAttribute attribute;
        pos = ReadAttribute(text, pos, attribute);
        if (onAttribute != nullptr) {
            (*onAttribute)(attribute);
        }
    }
}

std::size_t NameEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && !IsMarkupSpace(text[pos]) && text[pos] != '/' && text[pos] != '>') {
        ++pos;
    }
    return pos;
}

// Where the end tag of name begins at or after pos, or the text's end.
std::size_t RawTextEnd(std::string_view text, std::size_t pos, std::string_view name) {
    for (std::size_t open = text.find("</", pos); open != std::string_view::npos;
         open = text.find("</", open + 2)) {
        const std::size_t after = open + 2 + name.size();
        if (after <= text.size() && EqualsNoCase(text.substr(open + 2, name.size()), name) &&
            (after == text.size() || IsMarkupSpace(text[after]) || text[after] == '/' ||
             text[after] == '>')) {
            return open;
        }
    }
    return text.size();
}

std::size_t DeclarationEnd(std::string_view text, std::size_t pos) {
    const std::size_t close = text.find('>', pos);
    return close == std::string_view::npos ? text.size() : close + 1;
}

std::size_t CommentEnd(std::string_view text, std::size_t pos) {
    // "<!-->" and "<!--->" are whole comments already, as browsers read them.
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with("<!-->")) {
        return pos + 5;
    }
    if (rest.starts_with("<!--->")) {
        return pos + 6;
    }
    const std::size_t close = text.find("-->", pos + 4);
    return close == std::string_view::npos ? text.size() : close + 3;
}

using TokenHandler = std::function<void(const MarkupToken&)>;

// Hands on the text from pos up to the next '<' and returns where it ends.
std::size_t EmitText(std::string_view text, std::size_t pos, const TokenHandler& onToken) {
    std::size_t next = text.find('<', pos + 1);
    next = next == std::string_view::npos ? text.size() : next;
    onToken({TokenKind::Text, pos, next, {}});
    return next;
}

// Hands on the start tag at pos and, for a tag that holds raw text, the text up to its
// end tag; returns where they end.
std::size_t EmitStartTag(std::string_view text, std::size_t pos, const TokenHandler& onToken) {
    const std::size_t nameEnd = NameEnd(text, pos + 1);
    const std::size_t end = WalkAttributes(text, nameEnd, nullptr);
    const std::string_view name = text.substr(pos + 1, nameEnd - pos - 1);
    onToken({TokenKind::StartTag, pos, end, name});
    if (!HoldsRawText(name) || end >= text.size()) {
        return end;
    }
    const std::size_t rawEnd =
        EqualsNoCase(name, "plaintext") ? text.size() : RawTextEnd(text, end, name);
    if (rawEnd > end) {
        onToken({TokenKind::RawText, end, rawEnd, {}});
    }
    return rawEnd;
}

// Hands on the token that starts with the '<' at pos and returns where it ends; a '<'
// that opens no markup is text.
std::size_t EmitMarkup(std::string_view text, std::size_t pos, const TokenHandler& onToken) {
    const char after = text[pos + 1];
    if (text.substr(pos).starts_with("<!--")) {
        const std::size_t end = CommentEnd(text, pos);
        onToken({TokenKind::Comment, pos, end, {}});
        return end;
    }
    if (after == '!' || after == '?') {
        const std::size_t end = DeclarationEnd(text, pos);
        onToken({TokenKind::Declaration, pos, end, {}});
        return end;
    }
    if (after == '/' && pos + 2 < text.size() && IsAsciiLetter(text[pos + 2])) {
        const std::size_t nameEnd = NameEnd(text, pos + 2);
        const std::size_t end = WalkAttributes(text, nameEnd, nullptr);
        onToken({TokenKind::EndTag, pos, end, text.substr(pos + 2, nameEnd - pos - 2)});
        return end;
    }
    return IsAsciiLetter(after) ? EmitStartTag(text, pos, onToken) : EmitText(text, pos, onToken);
}

}  // namespace

void ForEachToken(std::string_view text, const TokenHandler& onToken) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos = text[pos] == '<' && pos + 1 < text.size() ? EmitMarkup(text, pos, onToken)
                                                        : EmitText(text, pos, onToken);
    }
}

void ForEachAttribute(std::string_view text, const MarkupToken& tag,
                      const std::function<void(const MarkupAttribute&)>& onAttribute) {
    const std::string_view tagText = text.substr(0, tag.end);
    WalkAttributes(tagText, tag.begin + 1 + tag.name.size(), &onAttribute);
}

std::string_view TrimmedMarkupSpaces(std::string_view text) {
    while (!text.empty() && IsMarkupSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsMarkupSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace quorvane
