#include "inspection/markup_tokens.h"

#include <array>

#include "base/ascii.h"
#include "inspection/element_text_end.h"

namespace quorvane {
namespace {

using TokenHandler = std::function<void(const MarkupToken&)>;

template <std::size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    for (const std::string_view each : names) {
        if (EqualsNoCase(name, each)) {
            return true;
        }
    }
    return false;
}

// How the tokenizer reads an HTML element's content, as the tree builder sets its state
// after the start tag.
enum class ContentState { Data, Rcdata, Rawtext, ScriptData, Plaintext };

ContentState ContentStateOf(std::string_view name) {
    constexpr std::array<std::string_view, 2> kRcdata = {"title", "textarea"};
    constexpr std::array<std::string_view, 6> kRawtext = {"style",   "xmp",      "iframe",
                                                          "noembed", "noframes", "noscript"};
    if (EqualsNoCase(name, "script")) {
        return ContentState::ScriptData;
    }
    if (EqualsNoCase(name, "plaintext")) {
        return ContentState::Plaintext;
    }
    return IsOneOf(name, kRcdata)    ? ContentState::Rcdata
           : IsOneOf(name, kRawtext) ? ContentState::Rawtext
                                     : ContentState::Data;
}

bool IsForeignRoot(std::string_view name) {
    return EqualsNoCase(name, "svg") || EqualsNoCase(name, "math");
}

// The HTML elements whose start tag ends SVG or MathML content. (font only with some
// attributes; it is left out, as are the integration points such as foreignObject.)
bool LeavesForeignContent(std::string_view name) {
    constexpr std::array<std::string_view, 44> kBreakouts = {
        "b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
        "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
        "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
        "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
        "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var"};
    return IsOneOf(name, kBreakouts);
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

struct TagEnd {
    std::size_t end;   // one past the ">", or the text's end
    bool closed;       // the tag has its ">"
    bool selfClosing;  // a "/" right before the ">", outside any value
};

// Walks the attributes from pos to the tag's ">".
TagEnd WalkAttributes(std::string_view text, std::size_t pos,
                      const std::function<void(const MarkupAttribute&)>* onAttribute) {
    std::size_t slash = std::string_view::npos;
    while (true) {
        while (pos < text.size() && (IsMarkupSpace(text[pos]) || text[pos] == '/')) {
            slash = text[pos] == '/' ? pos : slash;
            ++pos;
        }
        if (pos >= text.size()) {
            return {text.size(), false, false};
        }
        if (text[pos] == '>') {
            return {pos + 1, true, slash + 1 == pos};
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

// Cuts a text into tokens in one pass, knowing of the tree only whether it is inside SVG
// or MathML (how deep), which decides how a start tag's content is read.
class Tokenizer {
  public:
    Tokenizer(std::string_view text, const TokenHandler& onToken, std::stop_token stop)
        : text_(text), onToken_(onToken), stop_(std::move(stop)) {}

    void Run() {
        std::size_t pos = 0;
        while (pos < text_.size() && !stop_.stop_requested()) {
            pos = text_[pos] == '<' ? Markup(pos) : Text(pos);
        }
    }

  private:
    void Emit(TokenKind kind, std::size_t begin, std::size_t end, bool unclosed,
              std::string_view name = {}, bool closesItself = false) {
        onToken_({kind, begin, end, name, unclosed, closesItself});
    }

    // The text from pos up to the next "<" that may open markup.
    std::size_t Text(std::size_t pos) {
        std::size_t next = text_.find('<', pos + 1);
        next = next == std::string_view::npos ? text_.size() : next;
        Emit(TokenKind::Text, pos, next, false);
        return next;
    }

    // The token that starts with the "<" at pos: the tag open state and the markup
    // declaration open state. A "<" that opens no markup is text.
    std::size_t Markup(std::size_t pos) {
        const std::string_view rest = text_.substr(pos);
        if (rest.starts_with("<!--")) {
            return Comment(pos);
        }
        if (foreignDepth_ > 0 && rest.starts_with("<![CDATA[")) {
            return Closed(TokenKind::Declaration, pos, text_.find("]]>", pos + 9), 3);
        }
        if (rest.size() < 2 || (rest[1] == '/' && rest.size() < 3)) {
            return Text(pos);
        }
        if (rest[1] == '!' || rest[1] == '?' || (rest[1] == '/' && !IsAsciiLetter(rest[2]))) {
            // A bogus comment (or a doctype, which ends at the same ">"); "</>" is nothing.
            return Closed(TokenKind::Declaration, pos, text_.find('>', pos + 1), 1);
        }
        if (rest[1] == '/') {
            return EndTag(pos);
        }
        return IsAsciiLetter(rest[1]) ? StartTag(pos) : Text(pos);
    }

    // A token that ends with a closer of closerSize bytes found at close, if it was.
    std::size_t Closed(TokenKind kind, std::size_t pos, std::size_t close, std::size_t closerSize) {
        const bool unclosed = close == std::string_view::npos;
        const std::size_t end = unclosed ? text_.size() : close + closerSize;
        Emit(kind, pos, end, unclosed);
        return end;
    }

    // The comment start, comment end and comment end bang states: "<!-->" and "<!--->"
    // are whole comments already, and "--!>" ends one as "-->" does.
    std::size_t Comment(std::size_t pos) {
        const std::string_view rest = text_.substr(pos);
        if (rest.starts_with("<!-->") || rest.starts_with("<!--->")) {
            const std::size_t end = pos + (rest[4] == '>' ? 5 : 6);
            Emit(TokenKind::Comment, pos, end, false);
            return end;
        }
        const std::size_t dashes = text_.find("-->", pos + 4);
        const std::size_t bang = text_.find("--!>", pos + 4);
        if (bang < dashes) {
            return Closed(TokenKind::Comment, pos, bang, 4);
        }
        return Closed(TokenKind::Comment, pos, dashes, 3);
    }

    std::size_t StartTag(std::size_t pos) {
        const std::size_t nameEnd = NameEnd(text_, pos + 1);
        const std::string_view name = text_.substr(pos + 1, nameEnd - pos - 1);
        const TagEnd tag = WalkAttributes(text_, nameEnd, nullptr);
        if (foreignDepth_ > 0 && LeavesForeignContent(name)) {
            foreignDepth_ = 0;
        }
        const bool foreign = foreignDepth_ > 0 || IsForeignRoot(name);
        const bool closesItself = foreign && tag.selfClosing;
        Emit(TokenKind::StartTag, pos, tag.end, !tag.closed, name, closesItself);
        if (!tag.closed || foreign) {
            foreignDepth_ += IsForeignRoot(name) && tag.closed && !closesItself ? 1 : 0;
            return tag.end;
        }
        return ElementText(tag.end, name);
    }

    std::size_t EndTag(std::size_t pos) {
        const std::size_t nameEnd = NameEnd(text_, pos + 2);
        const std::string_view name = text_.substr(pos + 2, nameEnd - pos - 2);
        const TagEnd tag = WalkAttributes(text_, nameEnd, nullptr);
        if (foreignDepth_ > 0 && IsForeignRoot(name)) {
            --foreignDepth_;
        } else if (EqualsNoCase(name, "br") || EqualsNoCase(name, "p")) {
            foreignDepth_ = 0;
        }
        Emit(TokenKind::EndTag, pos, tag.end, !tag.closed, name);
        return tag.end;
    }

    // The content of the HTML element name, from pos (after its start tag) on.
    std::size_t ElementText(std::size_t pos, std::string_view name) {
        std::size_t end = pos;
        switch (ContentStateOf(name)) {
            case ContentState::Data:
                return pos;
            case ContentState::Rcdata:
            case ContentState::Rawtext:
                end = RawTextEnd(text_, pos, name);
                break;
            case ContentState::ScriptData:
                end = ScriptDataEnd(text_, pos);
                break;
            case ContentState::Plaintext:
                end = text_.size();
                break;
        }
        const bool unclosed = end == text_.size();
        Emit(TokenKind::RawText, pos, end, unclosed);
        return end;
    }

    std::string_view text_;
    const TokenHandler& onToken_;
    std::stop_token stop_;
    int foreignDepth_ = 0;  // the svg and math elements open around the position
};

}  // namespace

void ForEachToken(std::string_view text, const TokenHandler& onToken, std::stop_token stop) {
    Tokenizer(text, onToken, std::move(stop)).Run();
}

void ForEachAttribute(std::string_view text, const MarkupToken& tag,
                      const std::function<void(const MarkupAttribute&)>& onAttribute) {
    const std::string_view tagText = text.substr(0, tag.end);
    WalkAttributes(tagText, tag.begin + 1 + tag.name.size(), &onAttribute);
}

}  // namespace quorvane
