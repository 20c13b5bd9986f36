#include "inspection/source_reformatting.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(SourceReformatting, PutsEachPieceOnALineAtItsDepth) {
    const struct {
        const char* source;
        const char* reformatted;
    } rows[] = {
        {"<html><body><p>Hi <b>there</b></p></body></html>",
         "<html>\n  <body>\n    <p>\n      Hi\n      <b>\n        there\n      </b>\n    </p>\n"
         "  </body>\n</html>\n"},
        {"<!DOCTYPE html><!-- note --><br><img src=x><hr/>text",
         "<!DOCTYPE html>\n<!-- note -->\n<br>\n<img src=x>\n<hr/>\ntext\n"},
        // Scripts keep their lines; pre and textarea keep every byte.
        {"<script>\n  if (a < b) {\n    go();\n  }\n</script>",
         "<script>\n  if (a < b) {\n    go();\n  }\n</script>\n"},
        {"<div><pre> a\n  <b>b</b> </pre><p>x</div>",
         "<div>\n  <pre> a\n  <b>b</b> </pre>\n  <p>\n    x\n</div>\n"},
        {"<textarea> x\n y </textarea>", "<textarea> x\n y </textarea>\n"},
        // An end tag without its element closes nothing; one closes the elements left open.
        {"</i><ul><li>a<li>b</ul>x", "</i>\n<ul>\n  <li>\n    a\n    <li>\n      b\n</ul>\nx\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReformatSource(row.source), row.reformatted) << row.source;
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
