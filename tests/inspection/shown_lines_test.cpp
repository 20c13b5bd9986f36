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
    }
}

}  // namespace
}  // namespace quorvane
