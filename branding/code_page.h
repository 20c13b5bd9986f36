#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace quorvane {

// The characters of a single-byte Windows code page ("\ansicpg1251"), decoded through
// the C library's iconv. A code page that iconv does not know is read as Windows-1252,
// the usual code page of help files. A byte that makes no character on its own (one
// the code page leaves undefined, or the first of a double-byte pair) gives U+FFFD.
class CodePage {
  public:
    static constexpr int kWindowsLatin1 = 1252;

    static constexpr int kUtf8 = 65001;

    explicit CodePage(int number = kWindowsLatin1);

    int Number() const { return number_; }
    // False when iconv did not know the code page, which then reads as Windows-1252.
    bool Known() const { return known_; }
    char32_t Decode(unsigned char byte) const;

  private:
    int number_;
    bool known_ = false;
    std::array<char32_t, 128> upperHalf_{};  // bytes 0x80..0xFF; below that, ASCII
};

// The code pages one document names, each built once however often the document
// switches to it. Numbers iconv does not know share the Windows-1252 table, and so does
// every number after the first kMaxLookedUp, so a document naming thousands of code
// pages costs no more than a few.
class CodePages {
  public:
    static constexpr int kMaxLookedUp = 64;

    const CodePage& Get(int number);

  private:
    std::map<int, CodePage> built_;
    std::vector<bool> unknown_ = std::vector<bool>(65536);  // by number
    int lookedUp_ = 0;
};

// Characters from UTF-8 bytes that come one at a time (code page 65001). A byte that
// begins no character, or that cuts the character before it short, gives U+FFFD.
class Utf8Bytes {
  public:
    template <typename Out>
    void Feed(unsigned char byte, Out&& out) {
        if (missing_ > 0) {
            if ((byte & 0xC0) == 0x80) {
                partial_ = partial_ << 6 | (byte & 0x3F);
                if (--missing_ == 0) {
                    out(partial_);
                }
                return;
            }
            missing_ = 0;
            out(kReplacement);
        }
        if (byte < 0x80) {
            out(static_cast<char32_t>(byte));
        } else if ((byte & 0xE0) == 0xC0) {
            Begin(byte & 0x1F, 1);
        } else if ((byte & 0xF0) == 0xE0) {
            Begin(byte & 0x0F, 2);
        } else if ((byte & 0xF8) == 0xF0) {
            Begin(byte & 0x07, 3);
        } else {
            out(kReplacement);
        }
    }

    // Ends a character left unfinished.
    template <typename Out>
    void Finish(Out&& out) {
        if (missing_ > 0) {
            missing_ = 0;
            out(kReplacement);
        }
    }

  private:
    static constexpr char32_t kReplacement = 0xFFFD;
    void Begin(char32_t bits, int missing) {
        partial_ = bits;
        missing_ = missing;
    }

    char32_t partial_ = 0;
    int missing_ = 0;
};

}  // namespace quorvane
