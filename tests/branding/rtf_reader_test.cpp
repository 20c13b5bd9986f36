#include "branding/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

// The document's paragraphs as plain text, joined by "|".
std::string PlainText(const RtfDocument& document) {
    std::string text;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        text += i > 0 ? "|" : "";
        for (const auto& run : document.paragraphs[i].runs) {
            text += run.text;
        }
    }
    return text;
}

struct RtfRow {
    const char* rtf;
    const char* text;
};

const RtfRow kSmallDocuments[] = {
    {"", ""},
    {"{\\rtf1 Hello}", "Hello"},
    {"{\\rtf1 One\\par Two\\par}", "One|Two"},
    {"{\\rtf1 One\\par\\par Three}", "One||Three"},
    {"{\\rtf1 A\\line B\\tab C}", "A\nB\tC"},
    {"{\\rtf1 Line\r\nbreaks\nin source}", "Linebreaksin source"},
    {"{\\rtf1 \\{braces\\} and \\\\}", "{braces} and \\"},
    {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94}", "caf\u00e9 \u20ac \u201cq\u201d"},
    {"{\\rtf1 \\'E9\\'zz}", "\u00e9zz"},
    {"{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1\\'e2 \\'b9}", "\u0410\u0431\u0432 \u2116"},
    {"{\\rtf1\\ansi\\ansicpg1253 \\'e1}", "\u03b1"},
    {"{\\rtf1\\ansi\\ansicpg99999 \\'e9}", "\u00e9"},
    {"{\\rtf1\\ansi\\ansicpg1252 \\'81}", "\ufffd"},
    // Code page 65001 is UTF-8, in the text and in \'hh bytes alike.
    {"{\\rtf1\\ansi\\ansicpg65001 caf\xC3\xA9 \\'e2\\'82\\'ac \\uc3\\u8364\\'e2\\'82\\'ac!}",
     "caf\u00e9 \u20ac \u20ac!"},
    {"{\\rtf1\\ansi\\ansicpg65001 \\'e2\\'82x \\'ff\\'80}", "\ufffdx \ufffd\ufffd"},
    {"{\\rtf1\\ansicpg65001 \\'e9\\ansicpg1252 \\'e9\\ansicpg1251 \\'e9\\ansicpg70000 \\'e9}",
     "\ufffd\u00e9\u0439\u00e9"},
    {"{\\rtf1 \\'84\\'85\\'86\\'8c\\'8e\\'8f\\'9f}", "\u201e\u2026\u2020\u0152\u017d\ufffd\u0178"},
    {"{\\rtf1 \\u8364?uro}", "\u20acuro"},
    {"{\\rtf1 \\uc2\\u8364 xxEnd}", "\u20acEnd"},
    {"{\\rtf1 \\uc0\\u8364 End}", "\u20acEnd"},
    {"{\\rtf1 \\u-3913?}", "\uf0b7"},
    {"{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
    {"{\\rtf1 \\u-10179?x}", "\ufffdx"},
    {"{\\rtf1 \\u8364\\'80rest}", "\u20acrest"},
    {"{\\rtf1 {\\fonttbl{\\f0 Verdana;}}Body}", "Body"},
    {"{\\rtf1 {\\*\\generator Writer 1.0;}Body}", "Body"},
    {"{\\rtf1 {\\info{\\title T}}{\\header H}Body}", "Body"},
    {"{\\rtf1 {\\*\\unknowndest {nested} x}Body}", "Body"},
    {"{\\rtf1 {\\unknownword kept}}", "kept"},
    {"{\\rtf1 a\\~b\\-c\\_d}", "a\u00a0bc\u2011d"},
    {"{\\rtf1 it\\rquote s \\ldblquote q\\rdblquote\\endash\\emdash\\bullet}",
     "it\u2019s \u201cq\u201d\u2013\u2014\u2022"},
    {"{\\rtf1 Before}After the document", "BeforeAfter the document"},
    // Editors that save as UTF-8 put a byte order mark in front; it is no text.
    {"\xEF\xBB\xBF{\\rtf1 Marked}", "Marked"},
};

TEST(RtfReader, TextOfSmallDocuments) {
    for (const RtfRow& row : kSmallDocuments) {
        EXPECT_EQ(PlainText(ReadRtf(row.rtf)), row.text) << row.rtf;
    }
}

TEST(RtfReader, CharacterFormattingFollowsGroupsAndSwitches) {
    const RtfDocument document = ReadRtf(
        "{\\rtf1 plain {\\b bold {\\i both}} \\ul under\\ulnone  \\strike gone\\strike0 "
        "\\b1 on\\b0 \\fs40 big\\plain  reset}");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    struct Expected {
        const char* text;
        bool bold, italic, underline, strike;
        int size;
    } expected[] = {
        {"plain ", false, false, false, false, 24}, {"bold ", true, false, false, false, 24},
        {"both", true, true, false, false, 24},     {" ", false, false, false, false, 24},
        {"under", false, false, true, false, 24},   {" ", false, false, false, false, 24},
        {"gone", false, false, false, true, 24},    {"on", true, false, false, false, 24},
        {"big", false, false, false, false, 40},    {" reset", false, false, false, false, 24},
    };
    const auto& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), std::size(expected));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto& want = expected[i];
        EXPECT_EQ(runs[i].text, want.text) << i;
        EXPECT_EQ(runs[i].format.bold, want.bold) << want.text;
        EXPECT_EQ(runs[i].format.italic, want.italic) << want.text;
        EXPECT_EQ(runs[i].format.underline, want.underline) << want.text;
        EXPECT_EQ(runs[i].format.strike, want.strike) << want.text;
        EXPECT_EQ(runs[i].format.fontSizeHalfPoints, want.size) << want.text;
    }
}

TEST(RtfReader, ColoursComeFromTheColourTable) {
    const RtfDocument document = ReadRtf(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue300;}"
        "\\cf1 red \\cf2 blue \\cf0 auto \\cf9 outside}");
    ASSERT_EQ(document.colours.size(), 3u);
    EXPECT_EQ(document.colours[0], std::nullopt);
    const auto& runs = document.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(document.ColourOf(runs[0].format), (RtfColour{255, 0, 0}));
    EXPECT_EQ(document.ColourOf(runs[1].format), (RtfColour{0, 0, 255}));  // clamped
    EXPECT_EQ(document.ColourOf(runs[2].format), std::nullopt);
    EXPECT_EQ(document.ColourOf(runs[3].format), std::nullopt);
}

TEST(RtfReader, CentringBelongsToTheParagraphUntilPard) {
    const RtfDocument document =
        ReadRtf("{\\rtf1\\qc Title\\par Still centred\\par\\pard Left\\par{\\qc Inner\\par}After}");
    struct Expected {
        const char* text;
        bool centred;
    } expected[] = {
        {"Title", true}, {"Still centred", true}, {"Left", false},
        {"Inner", true}, {"After", false},
    };
    ASSERT_EQ(document.paragraphs.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(document.paragraphs[i].runs.at(0).text, expected[i].text);
        EXPECT_EQ(document.paragraphs[i].centred, expected[i].centred) << expected[i].text;
    }
}

TEST(RtfReader, HostileInputEndsQuicklyWithoutCrashing) {
    const std::string deep = std::string(100000, '{') + "deep" + std::string(100000, '}') + "x";
    EXPECT_EQ(PlainText(ReadRtf(deep)), "deepx");

    const std::string unbalanced = "}}}{\\rtf1 text}}}}more";
    EXPECT_EQ(PlainText(ReadRtf(unbalanced)), "textmore");

    const char* truncated[] = {"{\\rtf1 \\",
                               "{\\rtf1 \\'",
                               "{\\rtf1 \\'4",
                               "{\\rtf1 \\u",
                               "{\\rtf1 \\u-",
                               "{\\rtf1 \\fs99999999999999999999 x",
                               "{\\rtf1 \\u99999999 x",
                               "{\\colortbl\\red"};
    for (const char* rtf : truncated) {
        ReadRtf(rtf);  // must return
    }
    EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 \\u99999999 x}")), "\ufffd");
    EXPECT_EQ(ReadRtf("{\\rtf1 \\fs99999999999999999999 x}")
                  .paragraphs[0]
                  .runs[0]
                  .format.fontSizeHalfPoints,
              3276);
    const std::string longWord = "{\\rtf1 \\" + std::string(10000, 'a') + " x}";
    EXPECT_EQ(PlainText(ReadRtf(longWord)), "x");
    const std::string nul("{\\rtf1 a\0b}", 11);
    EXPECT_EQ(PlainText(ReadRtf(nul)), "ab");
}

TEST(RtfReader, MissingFileIsNoDocument) {
    EXPECT_EQ(ReadRtfFile("/no/such/folder/Help.rtf"), std::nullopt);
}

}  // namespace
}  // namespace quorvane
