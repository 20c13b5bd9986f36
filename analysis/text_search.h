#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Page text is bytes; searches that ignore letter case fold the ASCII letters only, so
// the bytes of any other script never compare equal by accident.

// ASCII classes only: bytes of other scripts are neither letters nor digits here.
constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The one ASCII case fold: letters change case, every other byte stays as it is.
constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of the first occurrence of needle at or after from, or npos.
std::size_t FindExact(std::string_view text, std::string_view needle, std::size_t from = 0);
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

bool ContainsNoCase(std::string_view text, std::string_view needle);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Replace every occurrence, left to right without overlap, never rescanning what was
// just inserted. An empty needle leaves the text unchanged.
std::string ReplaceAllExact(std::string_view text, std::string_view needle,
                            std::string_view replacement);
std::string ReplaceAllNoCase(std::string_view text, std::string_view needle,
                             std::string_view replacement);

bool EndsWith(std::string_view text, std::string_view tail);

}  // namespace quorvane
