#include "image_list/image_row_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_list/image_list.h"
#include "inspection/pattern_search.h"

namespace quorvane {
namespace {

TEST(ImageRowFilter, TellsThatAHostileExpressionIsTooCostly) {
    std::vector<ImageRow> rows(2000);
    for (ImageRow& row : rows) {
        row.address = "http://h/" + std::string(20, 'a') + "!";
    }
    rows.back().address = "http://h/a";
    ImageRowFilter filter({.text = "(a+)+$", .regularExpression = true});
    EXPECT_TRUE(filter.Shown(rows).empty());
    EXPECT_EQ(filter.Error(), PatternSearch::kTooCostly);
    EXPECT_TRUE(filter.TooCostly());
}

}  // namespace
}  // namespace quorvane
