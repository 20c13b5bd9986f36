#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// Whether a destination's text is not part of the body (its font table, its pictures,
// its headers and footers...).
bool IsSkippedDestination(std::string_view word);

// The character a control word stands for (\lquote, \bullet, \emdash...), if it is one.
std::optional<char32_t> SymbolWord(std::string_view word);

// The value of a hexadecimal digit; -1 for another character.
int HexValue(char c);

}  // namespace quorvane
