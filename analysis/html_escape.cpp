#include "analysis/html_escape.h"

#include <array>

namespace quorvane {

namespace {

// Which escapes a byte needs, one bit per kind: a name or an address is mostly bytes
// that need none, which the loop passes over with one look-up each.
enum EscapeKind : unsigned char { kInText = 1, kInAttribute = 2, kInLinkedAddress = 4 };

constexpr std::array<unsigned char, 256> EscapeKinds() {
    std::array<unsigned char, 256> kinds{};
    kinds['<'] = kInText | kInAttribute | kInLinkedAddress;
    kinds['\''] = kInAttribute | kInLinkedAddress;
    kinds['='] = kInLinkedAddress;
    return kinds;
}

constexpr std::array<unsigned char, 256> kEscapeKinds = EscapeKinds();

std::string_view ReferenceFor(char c) {
    switch (c) {
        case '<':
            return "&lt;";
        case '\'':
            return "&#39;";
        default:  // the one other byte escaped, "="
            return "&#61;";
    }
}

void AppendEscaped(std::string& out, std::string_view text, EscapeKind kind) {
    std::size_t done = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((kEscapeKinds[static_cast<unsigned char>(text[at])] & kind) != 0) {
            out.append(text.substr(done, at - done)).append(ReferenceFor(text[at]));
            done = at + 1;
        }
    }
    out.append(text.substr(done));
}

std::string Escape(std::string_view text, EscapeKind kind) {
    std::string result;
    result.reserve(text.size());
    AppendEscaped(result, text, kind);
    return result;
}

}  // namespace

std::string EscapeInsertedText(std::string_view text) {
    return Escape(text, kInText);
}

std::string EscapeInsertedAttribute(std::string_view value) {
    return Escape(value, kInAttribute);
}

std::string EscapeLinkedAddress(std::string_view address) {
    return Escape(address, kInLinkedAddress);
}

void AppendInsertedText(std::string& out, std::string_view text) {
    AppendEscaped(out, text, kInText);
}

void AppendInsertedAttribute(std::string& out, std::string_view value) {
    AppendEscaped(out, value, kInAttribute);
}

void AppendLinkedAddress(std::string& out, std::string_view address) {
    AppendEscaped(out, address, kInLinkedAddress);
}

}  // namespace quorvane
