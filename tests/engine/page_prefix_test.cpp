// The first screen of a generated page, cut from its start: whole as markup, at most the
// bytes asked for.
#include <gtest/gtest.h>

#include <string>

#include "engine/page_prefix.h"

namespace quorvane {
namespace {

struct PrefixRow {
    const char* behaviour;
    std::string page;
    std::size_t maxBytes;
    std::string prefix;
};

class PagePrefixCuts : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(PagePrefixCuts, BeforeATagWithinTheBytesAllowed) {
    const PrefixRow& row = GetParam();
    const std::string_view prefix = PagePrefix(row.page, row.maxBytes);
    EXPECT_EQ(prefix, row.prefix);
    EXPECT_LE(prefix.size(), row.maxBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PagePrefixCuts,
    ::testing::Values(
        PrefixRow{"APageThatFitsIsWhole", "<p>a</p>", 8, "<p>a</p>"},
        PrefixRow{"EndsBeforeTheLastTagStartingInTheBytes", "<p>ab</p><p>cd</p>", 12, "<p>ab</p>"},
        PrefixRow{"ATagStartingOnTheLimitEndsIt", "<p>ab</p><p>cd</p>", 9, "<p>ab</p>"},
        PrefixRow{"NeverInsideATag", "<p>ab</p><a href=\"x\">cd</a>", 14, "<p>ab</p>"},
        PrefixRow{"AQuotedGreaterThanDoesNotEndATag", "<a title=\"1>2<b\" href=x>t</a><p>", 14, ""},
        PrefixRow{"ALessThanInAQuotedValueStartsNoTag", "<a title='<b>' href=x>t</a><br>", 20, ""},
        PrefixRow{"NeverInsideACharacterReference", "<p>x</p>a&amp;b<br>", 12, "<p>x"},
        PrefixRow{"NeverInsideACharacterOfSeveralBytes", "<b></b>\xC3\xA9\xE2\x82\xAC<br>", 10,
                  "<b>"},
        PrefixRow{"ACommentIsOnePieceOfMarkup", "<p><!-- a>b <c --><i>x</i>", 14, "<p>"},
        PrefixRow{"NoTagWithinTheBytesGivesNothing", "<p>" + std::string(100, 'a') + "</p>", 50,
                  ""},
        PrefixRow{"TextBeforeAnyTagGivesNothing", std::string(100, 'a') + "<p>", 50, ""}),
    [](const auto& info) { return std::string(info.param.behaviour); });

}  // namespace
}  // namespace quorvane
