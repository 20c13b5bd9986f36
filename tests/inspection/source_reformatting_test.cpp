#include "inspection/source_reformatting.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "inspection/markup_tokens.h"

namespace quorvane {
namespace {

struct Row {
    const char* source;
    const char* reformatted;
};

const Row kPlainRows[] = {
    {"<html><body><p>Hi <b>there</b></p></body></html>",
     "<html>\n  <body>\n    <p>\n      Hi\n      <b>\n        there\n      </b>\n    </p>\n"
     "  </body>\n</html>\n"},
    {"<!DOCTYPE html><!-- note --><br><img src=x><hr/>text",
     "<!DOCTYPE html>\n<!-- note -->\n<br>\n<img src=x>\n<hr/>\ntext\n"},
    // An end tag without its element closes nothing; one closes the elements left open.
    {"</i><ul><li>a<li>b</ul>x", "</i>\n<ul>\n  <li>\n    a\n    <li>\n      b\n</ul>\nx\n"},
    // "/>" closes SVG's elements, never an HTML one: "<pre/>" opens a pre.
    {"<svg><path/><g><path d=x/></g></svg>",
     "<svg>\n  <path/>\n  <g>\n    <path d=x/>\n  </g>\n</svg>\n"},
    {"<div/><p>x", "<div/>\n  <p>\n    x\n"},
};

// The text of script, style, title, textarea, pre, listing and plaintext keeps every byte.
const Row kKeptTextRows[] = {
    {"<script>\n  if (a < b) {\n    go();\n  }\n</script>",
     "<script>\n  if (a < b) {\n    go();\n  }\n</script>\n"},
    {"<p><script>  x  </script><script></script>",
     "<p>\n  <script>  x  </script>\n  <script></script>\n"},
    {"<div><script><!--\ndocument.write(\"<script src='x.js'></script>\");\n//--></script></div>",
     "<div>\n  <script><!--\ndocument.write(\"<script src='x.js'></script>\");\n//--></script>\n"
     "</div>\n"},
    {"<script><!--<script>-></script>--></script><p>QUX",
     "<script><!--<script>-></script>--></script>\n<p>\n  QUX\n"},
    {"<script><!--<script>x</script><p>a", "<script><!--<script>x</script><p>a"},
    {"<head><title> A <b> </title><style>\n a{} </style></head>",
     "<head>\n  <title> A <b> </title>\n  <style>\n a{} </style>\n</head>\n"},
    {"<textarea> x\n y </textarea>", "<textarea> x\n y </textarea>\n"},
    {"<xmp> <p> </xmp><noscript> <img src=a> </noscript>",
     "<xmp> <p> </xmp>\n<noscript> <img src=a> </noscript>\n"},
    {"<div><pre> a\n  <b>b</b> </pre><p>x</div>",
     "<div>\n  <pre> a\n  <b>b</b> </pre>\n  <p>\n    x\n</div>\n"},
    {"<div><listing>\n a\n  <pre>b</pre></listing><p>x</div>",
     "<div>\n  <listing>\n a\n  <pre>b</pre></listing>\n  <p>\n    x\n</div>\n"},
    {"<pre/> a\n  b</pre><p>x", "<pre/> a\n  b</pre>\n<p>\n  x\n"},
    {"<pre> a<pre> b</pre> c</pre>d", "<pre> a<pre> b</pre> c</pre>\nd\n"},
    {"<body><plaintext>\n <b>x</b>\n</body>", "<body>\n  <plaintext>\n <b>x</b>\n</body>"},
};

// Nothing is appended inside what the text's end leaves open.
const Row kOpenAtTheEndRows[] = {
    {"<p>a<!--x--", "<p>\n  a\n  <!--x--"},
    {"<p>a<!--x-->", "<p>\n  a\n  <!--x-->\n"},
    {"<p><a href=\"x", "<p>\n  <a href=\"x"},
    {"<p><pre>a\n", "<p>\n  <pre>a\n"},
    {"<title>a", "<title>a"},
    {"<!DOCTYPE", "<!DOCTYPE"},
    {"a <", "a\n<\n"},
};

TEST(SourceReformatting, PutsEachPieceOnALineAtItsDepth) {
    for (const Row& row : kPlainRows) {
        EXPECT_EQ(ReformatSource(row.source), row.reformatted) << row.source;
    }
}

TEST(SourceReformatting, KeepsTheTextOfScriptsStylesAndPreformattedElements) {
    for (const Row& row : kKeptTextRows) {
        EXPECT_EQ(ReformatSource(row.source), row.reformatted) << row.source;
    }
}

TEST(SourceReformatting, AppendsNothingToAConstructLeftOpen) {
    for (const Row& row : kOpenAtTheEndRows) {
        EXPECT_EQ(ReformatSource(row.source), row.reformatted) << row.source;
    }
}

// Each text element's content, as the tokenizer reads it.
std::vector<std::string> ElementTexts(std::string_view html) {
    std::vector<std::string> texts;
    ForEachToken(html, [&](const MarkupToken& token) {
        if (token.kind == TokenKind::RawText) {
            texts.emplace_back(html.substr(token.begin, token.end - token.begin));
        }
    });
    return texts;
}

TEST(SourceReformatting, ChangesNothingMoreTheSecondTime) {
    std::vector<std::string> sources = {
        "<p>a</p\n>",
        "<a\nhref=x>b</a >",
        "<!-- a\n b -->",
        "x<<p>",
        "</ x>y",
        "</>",
        "<svg><style>a<b</style></svg>",
        "<math><![CDATA[ x ]]></math>",
        "<script>a</script\n>b",
        "<pre>\n\na</pre>",
        "\n\n",
        "",
    };
    for (const auto& rows : {std::span<const Row>(kPlainRows), std::span<const Row>(kKeptTextRows),
                             std::span<const Row>(kOpenAtTheEndRows)}) {
        for (const Row& row : rows) {
            sources.emplace_back(row.source);
        }
    }
    for (const std::string& source : sources) {
        const std::string once = ReformatSource(source);
        EXPECT_EQ(ReformatSource(once), once) << source;
        EXPECT_EQ(ElementTexts(once), ElementTexts(source)) << source;
    }
}

TEST(SourceReformatting, StopsDeepeningAndStopsAtTheLimit) {
    std::string deep;
    for (int i = 0; i < 100; ++i) {
        deep += "<div>";
    }
    const std::string reformatted = ReformatSource(deep + "x");
    EXPECT_NE(reformatted.find("\n" + std::string(2 * kMaxIndentLevels, ' ') + "x\n"),
              std::string::npos);
    EXPECT_EQ(reformatted.find(std::string(2 * kMaxIndentLevels + 1, ' ')), std::string::npos);

    EXPECT_EQ(
        ReformatSource("<a><b><c>", 12),
        "<a>\n  <b>\n  \n[The reformatted text goes on: only its first 12 bytes are shown.]\n");
}

}  // namespace
}  // namespace quorvane
