#include "inspection/source_reformatting.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "desktop/translation.h"
#include "inspection/markup_tokens.h"

namespace quorvane {
namespace {

bool IsVoidElement(std::string_view name) {
    constexpr std::array<std::string_view, 14> kVoidElements = {
        "area",  "base", "br",   "col",   "embed",  "hr",    "img",
        "input", "link", "meta", "param", "source", "track", "wbr"};
    for (const std::string_view element : kVoidElements) {
        if (EqualsNoCase(name, element)) {
            return true;
        }
    }
    return false;
}

// Writes lines at the depth of the elements open around them. An end tag closes up to
// the open element of its name; one with no such element closes nothing. Elements past
// the open list's bound are not remembered, so a page of unclosed tags costs no more.
class IndentedWriter {
  public:
    IndentedWriter(std::string_view text, std::size_t limit) : text_(text), limit_(limit) {
        out_.reserve(std::min(limit, text.size() + text.size() / 4));
    }

    void Take(const MarkupToken& token) {
        const std::string_view piece = text_.substr(token.begin, token.end - token.begin);
        const MarkupToken previous = std::exchange(previous_, token);
        if (keptDepth_ > 0) {
            TakeInsideKept(token, piece);
            return;
        }
        switch (token.kind) {
            case TokenKind::StartTag:
                Line(piece);
                Open(token);
                break;
            case TokenKind::EndTag:
                Close(token.name);
                // The end tag of a script or the like follows its text at once: a line
                // break before it would be part of that text.
                if (previous.kind == TokenKind::RawText) {
                    Append(piece);
                } else {
                    Line(piece);
                }
                break;
            case TokenKind::RawText:
                // Every byte of a script, style, title or textarea is its own: it goes on
                // right after the start tag, as it is.
                Append(piece);
                break;
            case TokenKind::Text:
                if (!TrimmedMarkupSpaces(piece).empty()) {
                    Line(TrimmedMarkupSpaces(piece));
                }
                break;
            case TokenKind::Comment:
            case TokenKind::Declaration:
                Line(piece);
                break;
        }
    }

    std::string Finish() {
        if (full_) {
            out_ += "\n[" +
                    Translated("The reformatted text goes on: only its first {1} bytes are shown.",
                               {std::to_string(limit_)}) +
                    "]";
        }
        // A construct left open at the end (a comment, a tag, a pre) would take the line
        // break in, and a second reformatting another.
        if (!previous_.unclosed && keptDepth_ == 0) {
            out_ += '\n';
        }
        return std::move(out_);
    }

  private:
    static constexpr std::size_t kMaxOpenElements = 1024;

    // Inside pre and listing, every byte stays where it is, line breaks included: browsers
    // show their white space as it is.
    static bool KeepsWhiteSpace(std::string_view name) {
        return EqualsNoCase(name, "pre") || EqualsNoCase(name, "listing");
    }

    void TakeInsideKept(const MarkupToken& token, std::string_view piece) {
        if (token.kind == TokenKind::StartTag && EqualsNoCase(token.name, keptElement_)) {
            ++keptDepth_;
        } else if (token.kind == TokenKind::EndTag && EqualsNoCase(token.name, keptElement_) &&
                   --keptDepth_ == 0) {
            Close(token.name);
        }
        Append(piece);
    }

    void Open(const MarkupToken& tag) {
        const std::string_view name = tag.name;
        if (IsVoidElement(name) || tag.closesItself) {
            return;
        }
        if (KeepsWhiteSpace(name)) {
            keptElement_ = name;
            keptDepth_ = 1;
        }
        if (open_.size() < kMaxOpenElements) {
            open_.push_back(name);
        }
    }

    void Close(std::string_view name) {
        for (std::size_t i = open_.size(); i > 0; --i) {
            if (EqualsNoCase(open_[i - 1], name)) {
                open_.resize(i - 1);
                return;
            }
        }
    }

    void Line(std::string_view piece) {
        if (!out_.empty()) {
            Append("\n");
        }
        static const std::string kIndent(2 * kMaxIndentLevels, ' ');
        Append(std::string_view(kIndent).substr(0, 2 * std::min(open_.size(), kMaxIndentLevels)));
        Append(piece);
    }

    void Append(std::string_view piece) {
        if (full_) {
            return;
        }
        if (out_.size() + piece.size() > limit_) {
            out_.append(piece.substr(0, limit_ - out_.size()));
            full_ = true;
            return;
        }
        out_.append(piece);
    }

    std::string_view text_;
    std::size_t limit_;
    std::string out_;
    std::vector<std::string_view> open_;
    std::string_view keptElement_;
    int keptDepth_ = 0;
    MarkupToken previous_{TokenKind::Text, 0, 0, {}, false, false};  // the last token taken
    bool full_ = false;
};

}  // namespace

std::string ReformatSource(std::string_view text, std::size_t limit) {
    IndentedWriter writer(text, limit);
    ForEachToken(text, [&writer](const MarkupToken& token) { writer.Take(token); });
    return writer.Finish();
}

}  // namespace quorvane
