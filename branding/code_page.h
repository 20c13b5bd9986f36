#pragma once

#include <string>

namespace quorvane {

// The character a byte stands for in a Windows code page. Windows-1252 is decoded
// in full (and serves for every other code page, the usual case for help files);
// bytes it leaves undefined give U+FFFD.
char32_t DecodeCodePageByte(int codePage, unsigned char byte);

// Appends the character in UTF-8; surrogates and values beyond Unicode give U+FFFD.
void AppendUtf8(std::string& text, char32_t character);

}  // namespace quorvane
