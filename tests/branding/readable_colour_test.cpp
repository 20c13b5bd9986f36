#include "branding/readable_colour.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr RtfColour kWhite{255, 255, 255};
constexpr RtfColour kBlack{0, 0, 0};
constexpr RtfColour kDarkTheme{45, 45, 45};  // Adwaita-dark's view background
constexpr RtfColour kNavyHeading{29, 53, 90};
constexpr RtfColour kBlueTitle{31, 111, 209};

TEST(ContrastRatio, RunsFromOneForTheSameColourToTwentyOneForBlackOnWhite) {
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kWhite), 1.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
    EXPECT_NEAR(ContrastRatio(kNavyHeading, kWhite), 12.29, 0.01);
}

// A colour that can be read stays as written; one that cannot keeps its hue and turns
// light on a dark background (dark on a light one) until it can.
TEST(ReadableOn, KeepsReadableColoursAndMovesTheOthersAcrossTheBackground) {
    struct Row {
        RtfColour text;
        RtfColour background;
        bool kept;
    } rows[] = {
        {kNavyHeading, kWhite, true},
        {kBlueTitle, kWhite, true},
        {kBlack, kWhite, true},
        {kWhite, kDarkTheme, true},
        {kNavyHeading, kDarkTheme, false},
        {kBlueTitle, kDarkTheme, false},
        {kBlack, kDarkTheme, false},
        {kWhite, kWhite, false},
        {{255, 255, 0}, kWhite, false},
        {kDarkTheme, kDarkTheme, false},
    };
    for (const auto& row : rows) {
        const RtfColour shown = ReadableOn(row.text, row.background);
        const auto name = ::testing::Message() << row.text.red << "," << row.text.green << ","
                                               << row.text.blue << " on " << row.background.red;
        EXPECT_EQ(shown == row.text, row.kept) << name;
        EXPECT_GE(ContrastRatio(shown, row.background), 4.5) << name;
        if (!row.kept && row.text.blue > row.text.red + 20) {
            EXPECT_GT(shown.blue, shown.red + 20) << name << ": the hue stays blue";
        }
    }
}

}  // namespace
}  // namespace quorvane
