#include "base/text_search.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quorvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The search looks for a needle's first byte without a second case and checks the
// rest around it: matches at both ends of the text and after false starts count.
TEST(TextSearch, FindNoCaseFindsTheFirstMatchInAnyCaseFromWhereItStarts) {
    const struct {
        std::string_view text;
        std::string_view needle;
        std::size_t from;
        std::size_t found;
    } rows[] = {
        {"xSRC=", "src=", 0, 1},
        {"a src=", "src=", 0, 2},  // ends with the text
        {"SrC=src=", "src=", 1, 4},
        {"hr=href=", "href=", 0, 3},                    // its "=" stands alone first
        {"cgi-BIN/x cgi-bin/I/", "cgi-bin/i/", 0, 10},  // the bytes after its "-" differ first
        {"src", "src=", 0, kNone},
        {"<IMG <img", "<img", 0, 0},
        {"<IMG <img", "<img", 1, 5},
        {"x<a", "<a ", 0, kNone},
        {"xaB", "Ab", 0, 1},  // letters only
        {"xaB", "Ab", 2, kNone},
        {"ab", "", 2, 2},
        {"ab", "b", 3, kNone},
        {"\xC3\xA9=", "\xC3\x89=", 0, kNone},  // only ASCII letters fold
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FindNoCase(row.text, row.needle, row.from), row.found)
            << row.text << " / " << row.needle << " from " << row.from;
    }
}

}  // namespace
}  // namespace quorvane
