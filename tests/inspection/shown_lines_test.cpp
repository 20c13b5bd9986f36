#include "inspection/shown_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

TEST(ShownLines, BreakOnlyLinesLongerThanTheMaximum) {
    const struct {
        std::string text;
        std::string shown;
        std::vector<std::uint32_t> continued;
    } rows[] = {
        {"short\nlines\n", "short\nlines\n", {}},
        {"0123456789", "0123456789", {}},
        // After a tag's end in the piece's second half, else a space, else anywhere.
        {"<a><bc>defgh", "<a><bc>\ndefgh", {1}},
        {"<a>bcd efghi", "<a>bcd \nefghi", {1}},
        {"<a>bcdefghijklmnopqrstu", "<a>bcdefgh\nijklmnopqr\nstu", {1, 2}},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghij\nklmnopqrst\nuvwxyz", {1, 2}},
        // Lines are counted at LF, CR LF and a lone CR.
        {"a\r\nb\rc\n0123456789X", "a\r\nb\rc\n0123456789\nX", {4}},
        // A character is never cut.
        {"abcdefghi\xC3\xA9z", "abcdefghi\n\xC3\xA9z", {1}},
    };
    for (const auto& row : rows) {
        const ShownLines shown = BreakLongLines(row.text, 10);
        EXPECT_EQ(shown.text, row.shown) << row.text;
        EXPECT_EQ(shown.continued, row.continued) << row.text;
        // Each break put in is one "\n" more, and positions map both ways.
        ASSERT_EQ(shown.breaks.size(), row.continued.size()) << row.text;
        for (std::size_t at = 0; at <= row.text.size(); ++at) {
            const std::size_t shownAt = ShownPosition(shown.breaks, at);
            EXPECT_EQ(SourcePosition(shown.breaks, shownAt), at) << row.text << " at " << at;
            if (at < row.text.size()) {
                EXPECT_EQ(shown.text[shownAt], row.text[at]) << row.text << " at " << at;
            }
        }
        for (std::size_t i = 0; i < shown.breaks.size(); ++i) {
            const std::size_t put = shown.breaks[i] + i;
            EXPECT_EQ(shown.text[put], '\n') << row.text;
            EXPECT_EQ(SourcePosition(shown.breaks, put), shown.breaks[i]) << row.text;
        }
    }
}

}  // namespace
}  // namespace quorvane
