#pragma once

#include <string>

namespace quorvane {

// Appends character to text in UTF-8; a surrogate half or a value beyond Unicode appends
// U+FFFD, the replacement character, as no UTF-8 text may hold them.
void AppendUtf8(std::string& text, char32_t character);

}  // namespace quorvane
