#include "inspection/served_source_text.h"

#include <gtest/gtest.h>

#include <string>

#include "inspection/document_charset.h"

namespace quorvane {
namespace {

TEST(ServedSourceText, ReadsTheBytesInTheEncodingTheyAreServedIn) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        const char* mimeType;
        const char* responseCharset;
        std::string text;
        const char* encoding;
    } rows[] = {
        {"caf\xC3\xA9", "text/html", "", "caf\xC3\xA9", "UTF-8"},
        {"caf\xE9 \x80", "text/html", "windows-1252", "caf\xC3\xA9 \xE2\x82\xAC", "windows-1252"},
        {"caf\xE9", "text/html", "ISO-8859-1", "caf\xC3\xA9", "windows-1252"},
        // The response's charset wins over the document's.
        {"<meta charset=utf-8>\xE9", "text/html", "latin1", "<meta charset=utf-8>\xC3\xA9",
         "windows-1252"},
        {"<meta charset=\"windows-1252\">\xE9", "text/html", "",
         "<meta charset=\"windows-1252\">\xC3\xA9", "windows-1252"},
        {"<meta http-equiv=Content-Type content=\"text/html; charset=koi8-r\">\xC1", "text/html",
         "", "<meta http-equiv=Content-Type content=\"text/html; charset=koi8-r\">\xD0\xB0",
         "KOI8-R"},
        {"<!-- <meta charset=koi8-r> -->\xC3\xA9", "text/html", "",
         "<!-- <meta charset=koi8-r> -->\xC3\xA9", "UTF-8"},
        // A byte-order mark wins over everything and is not shown.
        {"\xEF\xBB\xBF<p>\xC3\xA9", "text/html", "windows-1252", "<p>\xC3\xA9", "UTF-8"},
        {"\xFF\xFE<\0p\0>\0"s, "text/html", "", "<p>", "UTF-16LE"},
        // Bytes that are no character stay as they are, never dropped.
        {"a\xFF"
         "b\xC3",
         "text/html", "",
         "a\xFF"
         "b\xC3",
         "UTF-8"},
        {"a\x81"
         "b",
         "text/html", "windows-1252",
         "a\x81"
         "b",
         "windows-1252"},
        {"abc", "text/html", "no-such-charset", "abc", "UTF-8"},
        // A label browsers refuse is passed over: utf-7 never makes markup of ASCII.
        {"+ADw-script+AD4-", "text/html", "utf-7", "+ADw-script+AD4-", "UTF-8"},
        {"<meta charset=utf-7>+ADw-p+AD4-", "text/html", "", "<meta charset=utf-7>+ADw-p+AD4-",
         "UTF-8"},
        {"<meta charset=ks_c_5601-1987>\xC7\xD1", "text/html", "utf-32",
         "<meta charset=ks_c_5601-1987>\xED\x95\x9C", "EUC-KR"},
        {"<svg/>", "image/svg+xml", "", "<svg/>", "UTF-8"},
        {"{}", "application/json", "", "{}", "UTF-8"},
        {"plain", "", "", "plain", "UTF-8"},
    };
    for (const auto& row : rows) {
        const ServedSourceText decoded =
            DecodeServedSource(row.bytes, row.mimeType, row.responseCharset);
        EXPECT_EQ(decoded.text, row.text) << row.bytes;
        EXPECT_EQ(decoded.encoding, row.encoding) << row.bytes;
        EXPECT_TRUE(decoded.isText) << row.bytes;
        EXPECT_FALSE(decoded.cut) << row.bytes;
    }
}

TEST(ServedSourceText, ShowsAResourceThatIsNoTextAsOneLine) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        const char* mimeType;
        const char* line;
    } rows[] = {
        {"\x89PNG\r\n\x1A\n\0\0"s, "image/png", "image/png, 10 bytes (not text)"},
        {"PK\3\4\0"s, "application/zip", "application/zip, 5 bytes (not text)"},
        {"x\0y"s, "", "unknown type, 3 bytes (not text)"},
    };
    for (const auto& row : rows) {
        const ServedSourceText decoded = DecodeServedSource(row.bytes, row.mimeType, "");
        EXPECT_EQ(decoded.text, row.line);
        EXPECT_FALSE(decoded.isText);
    }
}

TEST(ServedSourceText, ShowsTheFirstBytesUpToTheLimitAndSaysSo) {
    const struct {
        std::string bytes;
        const char* charset;
        std::size_t limit;
        std::string shown;
    } rows[] = {
        {"abcdefgh", "", 4, "abcd"},
        // A cut never splits a character.
        {"ab\xC3\xA9z", "", 3, "ab"},
        {"ab\xE2\x82\xAC", "", 4, "ab"},
        {"ab\xE9z", "windows-1252", 3, "ab\xC3\xA9"},
        {"\xA4\xA2\xA4\xA4", "euc-jp", 3, "\xE3\x81\x82"},
    };
    for (const auto& row : rows) {
        const ServedSourceText decoded =
            DecodeServedSource(row.bytes, "text/html", row.charset, row.limit);
        EXPECT_TRUE(decoded.cut);
        EXPECT_EQ(decoded.text, row.shown + "\n[The page goes on: only its first " +
                                    std::to_string(row.limit) + " of " +
                                    std::to_string(row.bytes.size()) + " bytes are shown.]\n");
    }
    EXPECT_FALSE(DecodeServedSource("abcd", "text/html", "", 4).cut);
}

TEST(ChooseDocumentEncoding, TakesAMarkThenTheResponseThenTheDocumentThenUtf8) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        const char* responseCharset;
        std::string_view encoding;
        std::size_t markLength;
    } rows[] = {
        // A byte-order mark wins over the response's label and the document's.
        {"\xEF\xBB\xBF<meta charset=koi8-r>", "windows-1252", "UTF-8", 3},
        {"\xFE\xFF\0a"s, "utf-8", "UTF-16BE", 2},
        {"\xFF\xFE"
         "a\0"s,
         "", "UTF-16LE", 2},
        {"\xEF\xBB<meta charset=koi8-r>", "", "KOI8-R", 0},
        {"<meta charset=koi8-r>", "  ISO-8859-9 ", "windows-1254", 0},
        {"<meta charset=koi8-r>", "utf-7", "KOI8-R", 0},
        {"<meta charset=koi8-r>", "x-user-defined", "x-user-defined", 0},
        {"<meta charset=x-user-defined>", "", "windows-1252", 0},
        {"<meta charset=koi8-r>", "", "KOI8-R", 0},
        {"<p>", "bogus", "UTF-8", 0},
    };
    for (const auto& row : rows) {
        const DocumentEncoding chosen = ChooseDocumentEncoding(row.bytes, row.responseCharset);
        EXPECT_EQ(chosen.encoding.name, row.encoding) << row.bytes;
        EXPECT_EQ(chosen.markLength, row.markLength) << row.bytes;
    }
}

}  // namespace
}  // namespace quorvane
