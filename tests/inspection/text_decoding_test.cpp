#include "inspection/text_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// Bytes each encoding reads otherwise than its glibc namesake (or than a reader that does
// not know it), decoded as browsers decode them.
TEST(DecodeToUtf8, ReadsEachEncodingAsBrowsersDo) {
    using namespace std::string_literals;
    const struct {
        const char* label;
        std::string bytes;
        std::string text;
    } rows[] = {
        {"utf-8", "caf\xC3\xA9", "caf\xC3\xA9"},
        {"windows-1252", "\x80 \x93q\x94 caf\xE9",
         "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D caf\xC3\xA9"},
        {"iso-8859-1", "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
        {"us-ascii", "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},
        {"iso-8859-9", "\x80 \x93\xD0\xFD\x94",
         "\xE2\x82\xAC \xE2\x80\x9C\xC4\x9E\xC4\xB1\xE2\x80\x9D"},
        {"latin5", "\x80", "\xE2\x82\xAC"},
        {"tis-620", "\x80\xA1", "\xE2\x82\xAC\xE0\xB8\x81"},
        // The last letter waits in glibc for an accent that could follow: it is kept.
        {"windows-1258", "H\xE0 N\xF4i", "H\xC3\xA0 N\xC3\xB4i"},
        {"x-cp1258", "Vi\xEAt", "Vi\xC3\xAAt"},
        {"windows-1250", "\x8A", "\xC5\xA0"},
        {"windows-1251", "\xC0", "\xD0\x90"},
        {"windows-1253", "\xC1", "\xCE\x91"},
        {"windows-1255", "\xE0", "\xD7\x90"},
        {"windows-1256", "\xC7", "\xD8\xA7"},
        {"windows-1257", "\xC0", "\xC4\x84"},
        {"ibm866", "\x80", "\xD0\x90"},
        {"iso-8859-2", "\xA1", "\xC4\x84"},
        {"iso-8859-7", "\xA4", "\xE2\x82\xAC"},
        {"iso-8859-8-i", "\xE0", "\xD7\x90"},
        {"iso-8859-15", "\xA4", "\xE2\x82\xAC"},
        {"iso-8859-16", "\xA1", "\xC4\x84"},
        {"koi8", "\xC1", "\xD0\xB0"},
        {"koi8-u", "\xAE\xBE", "\xD1\x9E\xD0\x8E"},
        {"mac", "\x8E\xDB", "\xC3\xA9\xE2\x82\xAC"},
        {"x-mac-ukrainian", "\x80\xA2", "\xD0\x90\xD2\x90"},
        // Korean: the Windows extension beyond EUC-KR (U+AC02) and a plain syllable.
        {"ks_c_5601-1987", "\x81\x41\xB0\xA1", "\xEA\xB0\x82\xEA\xB0\x80"},
        {"windows-949", "\xC7\xD1", "\xED\x95\x9C"},
        // Japanese: hiragana, kanji, the NEC circled one, half-width katakana.
        {"x-sjis", "\x82\xA0\x88\x9F\x87\x40\xB1",
         "\xE3\x81\x82\xE4\xBA\x9C\xE2\x91\xA0\xEF\xBD\xB1"},
        {"x-euc-jp", "\xA4\xA2\xAD\xA1", "\xE3\x81\x82\xE2\x91\xA0"},
        // Hiragana, the Roman set's yen and overline, half-width katakana.
        {"iso-2022-jp", "\x1B$B$\"\x1B(Ba\x1B(J\x5C\x7E\x1B(I\x31\x1B(B",
         "\xE3\x81\x82"
         "a\xC2\xA5\xE2\x80\xBE\xEF\xBD\xB1"},
        // Chinese: GBK's bytes through GB18030, Big5 with its Hong Kong pairs.
        {"gb_2312", "\xC4\xE3\xBA\xC3", "\xE4\xBD\xA0\xE5\xA5\xBD"},
        {"gb18030", "\x81\x30\x81\x30", "\xC2\x80"},
        {"csbig5", "\xA4\xA4\x88\x62", "\xE4\xB8\xAD\xC3\x8A\xCC\x84"},
        {"utf-16be", "\0a\0b"s, "ab"},
        {"utf-16", "a\0b\0"s, "ab"},
        {"x-user-defined", "a\x80\xFF", "a\xEF\x9E\x80\xEF\x9F\xBF"},
        {"iso-2022-kr", "\x1B$)C\x0E!!\x0F", "\xEF\xBF\xBD"},
        {"hz-gb-2312", "", ""},
        // A byte that is no character stays as it is, after what came before it.
        {"windows-1252",
         "a\x81"
         "b",
         "a\x81"
         "b"},
        {"windows-1258", "H\xE0\x8A", "H\xC3\xA0\x8A"},
        {"euc-kr",
         "a\xFF"
         "b",
         "a\xFF"
         "b"},
        {"shift_jis", "\x82\xA0\x82", "\xE3\x81\x82\x82"},
        {"utf-16le", "a\0b"s,
         "a"
         "b"},
    };
    for (const auto& row : rows) {
        const std::optional<WebEncoding> encoding = EncodingForLabel(row.label);
        ASSERT_TRUE(encoding) << row.label;
        EXPECT_EQ(DecodeToUtf8(row.bytes, *encoding, false), row.text) << row.label;
    }
}

TEST(DecodeToUtf8, LeavesOutACharacterTheCutSplit) {
    const struct {
        const char* label;
        std::string bytes;
        std::string text;
    } rows[] = {
        {"shift_jis", "\x82\xA0\x82", "\xE3\x81\x82"},
        {"utf-8", "ab\xC3", "ab"},
        {"utf-8", "ab\xE2\x82", "ab"},
        {"utf-8", "ab\xE2\x82\xAC", "ab\xE2\x82\xAC"},
        {"windows-1258", "Vi\xEA", "Vi\xC3\xAA"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeToUtf8(row.bytes, *EncodingForLabel(row.label), true), row.text)
            << row.label;
    }
}

}  // namespace
}  // namespace quorvane
