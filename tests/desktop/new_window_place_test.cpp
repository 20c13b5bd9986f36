#include "desktop/new_window_place.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(NewWindowPlace, NeverLiesExactlyOverItsOpener) {
    const ScreenRect area{0, 24, 1280, 1000};
    const struct {
        const char* name;
        ScreenRect opener;
        ScreenRect place;
    } rows[] = {
        {"a maximised opener: moved and made smaller", {0, 24, 1280, 1000}, {30, 54, 1250, 970}},
        {"a small opener: moved at its size", {100, 100, 600, 400}, {130, 130, 600, 400}},
        {"an opener near the bottom right: moved and cut to fit",
         {900, 700, 600, 400},
         {930, 730, 350, 294}},
        {"an opener at the bottom right: back at the top left",
         {1100, 900, 600, 400},
         {0, 24, 600, 400}},
        {"an opener larger than the area: the area's size at most",
         {0, 24, 2000, 1500},
         {30, 54, 1250, 970}},
        {"an opener above the area: moved into it", {-50, 0, 600, 400}, {30, 54, 600, 400}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ScreenRect place = NewWindowPlace(row.opener, area, 30);
        EXPECT_EQ(place, row.place);
        EXPECT_NE(place, row.opener);
    }
}

}  // namespace
}  // namespace quorvane
