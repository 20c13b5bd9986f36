#include "branding/rtf_words.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/ascii.h"

namespace quorvane {

namespace {

constexpr std::array<std::string_view, 24> kSkippedDestinations = {
    "fonttbl",  "filetbl",   "stylesheet", "listtable",    "listoverridetable",
    "revtbl",   "rsidtbl",   "info",       "pict",         "object",
    "header",   "headerl",   "headerr",    "headerf",      "footer",
    "footerl",  "footerr",   "footerf",    "footnote",     "fldinst",
    "xmlnstbl", "themedata", "datastore",  "latentstyles",
};

constexpr std::pair<std::string_view, char32_t> kSymbolWords[] = {
    {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
    {"bullet", 0x2022}, {"endash", 0x2013}, {"emdash", 0x2014},
};

}  // namespace

bool IsSkippedDestination(std::string_view word) {
    return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
           kSkippedDestinations.end();
}

std::optional<char32_t> SymbolWord(std::string_view word) {
    for (const auto& [name, character] : kSymbolWords) {
        if (word == name) {
            return character;
        }
    }
    return std::nullopt;
}

int HexValue(char c) {
    if (IsAsciiDigit(c)) {
        return c - '0';
    }
    const char lower = LowerAscii(c);
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

}  // namespace quorvane
