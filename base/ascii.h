#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Page text is bytes; comparisons that ignore letter case fold the ASCII letters only, so
// the bytes of any other script never compare equal by accident.

// ASCII classes only: bytes of other scripts are neither letters nor digits here.
constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The web's ASCII white space (tab, line feed, form feed, carriage return, space), which
// parts a tag's name and attributes and the parameters of a content type.
constexpr bool IsAsciiWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// text without the ASCII white space around it.
constexpr std::string_view TrimmedAsciiWhitespace(std::string_view text) {
    while (!text.empty() && IsAsciiWhitespace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsAsciiWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The one ASCII case fold: letters change case, every other byte stays as it is.
constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The one case-blind equality, by the fold above. Text mostly stands in the case it is
// compared with, so bytes equal as they stand are passed without folding either.
constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace quorvane
