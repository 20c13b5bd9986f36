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

bool Escaped(char c, EscapeKind kind) {
    return (kEscapeKinds[static_cast<unsigned char>(c)] & kind) != 0;
}

// The first byte from at on that kind escapes, or the text's size: eight bytes at a time
// while none of them is one to escape of any kind, as in nearly all of a name or address.
std::size_t NextEscaped(std::string_view text, std::size_t at, EscapeKind kind) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (; at + 8 <= text.size(); at += 8) {
        if ((kEscapeKinds[bytes[at]] | kEscapeKinds[bytes[at + 1]] | kEscapeKinds[bytes[at + 2]] |
             kEscapeKinds[bytes[at + 3]] | kEscapeKinds[bytes[at + 4]] |
             kEscapeKinds[bytes[at + 5]] | kEscapeKinds[bytes[at + 6]] |
             kEscapeKinds[bytes[at + 7]]) != 0) {
            break;
        }
    }
    while (at < text.size() && !Escaped(text[at], kind)) {
        ++at;
    }
    return at;
}

void AppendEscaped(std::string& out, std::string_view text, EscapeKind kind) {
    std::size_t done = 0;
    for (std::size_t at = NextEscaped(text, 0, kind); at < text.size();
         at = NextEscaped(text, at + 1, kind)) {
        out.append(text.substr(done, at - done)).append(ReferenceFor(text[at]));
        done = at + 1;
    }
    out.append(text.substr(done));
}

std::size_t EscapedSize(std::string_view text, EscapeKind kind) {
    std::size_t size = text.size();
    for (std::size_t at = NextEscaped(text, 0, kind); at < text.size();
         at = NextEscaped(text, at + 1, kind)) {
        size += ReferenceFor(text[at]).size() - 1;
    }
    return size;
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

std::size_t InsertedTextSize(std::string_view text) {
    return EscapedSize(text, kInText);
}

std::size_t LinkedAddressSize(std::string_view address) {
    return EscapedSize(address, kInLinkedAddress);
}

}  // namespace quorvane
