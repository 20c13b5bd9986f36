#include "base/utf8_append.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// Each length of UTF-8 at both its ends, and what no UTF-8 text may hold.
TEST(AppendUtf8, WritesEachCharacterInTheFewestBytes) {
    const struct {
        char32_t character;
        std::string bytes;
    } rows[] = {
        {U'\0', std::string(1, '\0')},
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xD7FF, "\xED\x9F\xBF"},
        {0xE000, "\xEE\x80\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        // Surrogate halves and numbers past Unicode read as U+FFFD.
        {0xD800, "\xEF\xBF\xBD"},
        {0xDFFF, "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD"},
        {0xFFFFFFFF, "\xEF\xBF\xBD"},
    };
    for (const auto& row : rows) {
        std::string text = "x";
        AppendUtf8(text, row.character);
        EXPECT_EQ(text, "x" + row.bytes) << static_cast<unsigned long>(row.character);
    }
}

}  // namespace
}  // namespace quorvane
