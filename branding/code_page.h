#pragma once

#include <array>
#include <string>

namespace quorvane {

// The characters of a single-byte Windows code page ("\ansicpg1251"), decoded through
// the C library's iconv. A code page that iconv does not know is read as Windows-1252,
// the usual code page of help files. A byte that makes no character on its own (one
// the code page leaves undefined, or the first of a double-byte pair) gives U+FFFD.
class CodePage {
  public:
    static constexpr int kWindowsLatin1 = 1252;

    explicit CodePage(int number = kWindowsLatin1);

    int Number() const { return number_; }
    char32_t Decode(unsigned char byte) const;

  private:
    int number_;
    std::array<char32_t, 128> upperHalf_{};  // bytes 0x80..0xFF; below that, ASCII
};

// Appends the character in UTF-8; surrogates and values beyond Unicode give U+FFFD.
void AppendUtf8(std::string& text, char32_t character);

}  // namespace quorvane
