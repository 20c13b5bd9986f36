// The pure rules of find and zoom: the find bar's status and the zoom ladder.
#include <gtest/gtest.h>

#include "engine/zoom_ladder.h"
#include "main_window/find_in_page.h"

namespace quorvane {
namespace {

TEST(ZoomLadder, StepsThroughTheLadderAndStopsAtItsEnds) {
    const struct {
        double level, in, out;
        const char* percent;
    } rows[] = {
        {1.0, 1.1, 0.9, "100 %"},
        {0.3, 0.5, 0.3, "30 %"},
        {3.0, 3.0, 2.5, "300 %"},
        {1.2, 1.25, 1.1, "120 %"},
        {4.0, 4.0, 3.0, "400 %"},
        {0.2, 0.3, 0.2, "20 %"},
        {0.67, 0.8, 0.5, "67 %"},
        // The engine may hand back a rung a little off.
        {1.0999999, 1.25, 1.0, "110 %"},
        {1.0000001, 1.1, 0.9, "100 %"},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(ZoomedIn(row.level), row.in) << row.level;
        EXPECT_DOUBLE_EQ(ZoomedOut(row.level), row.out) << row.level;
        EXPECT_EQ(ZoomPercent(row.level), row.percent) << row.level;
        EXPECT_EQ(IsActualSize(row.level), row.percent == std::string("100 %")) << row.level;
    }
}

TEST(FindStatus, SaysWhereTheUserIsAmongTheMatches) {
    EXPECT_EQ(FindStatusText(false, 0, 0, 1000), "");
    EXPECT_EQ(FindStatusText(true, 0, 0, 1000), "Not found");
    EXPECT_EQ(FindStatusText(true, 41, 3, 1000), "3 of 41");
    EXPECT_EQ(FindStatusText(true, 1001, 1, 1000), "More than 1000 matches");
}

}  // namespace
}  // namespace quorvane
