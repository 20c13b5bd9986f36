#include "main_window/layout.h"

#include <gtest/gtest.h>

#include "desktop/twips.h"
#include "main_window/splash_ticker.h"

namespace quorvane {
namespace {

struct ArrangeRow {
    const char* name;
    float W, H;
    TwipsRect tabStrip, views;
    float panel1, panel2;
    TwipsRect progressBar;
    float addressWidth, websiteWidth, goLeft;
};

void ExpectRect(const TwipsRect& actual, const TwipsRect& expected, const char* what) {
    EXPECT_FLOAT_EQ(actual.Left, expected.Left) << what;
    EXPECT_FLOAT_EQ(actual.Top, expected.Top) << what;
    EXPECT_FLOAT_EQ(actual.Width, expected.Width) << what;
    EXPECT_FLOAT_EQ(actual.Height, expected.Height) << what;
}

// Worked by hand from the design places: tab strip top 1380, status bar 0, 10785 and
// 315 high, address box left 540, Go button 1095 wide, website button left 5520.
const ArrangeRow kArrangeRows[] = {
    {"screen 1024x768 at 96 DPI",
     15360,
     11520,
     {25, 1380, 15310, 9025},
     {125, 1780, 15060, 8525},
     11520,
     11220,
     {11570, 10775, 11120, 295},
     13525,
     9690,
     14115},
    {"fractional panel width",
     1001,
     6000,
     {25, 1380, 951, 3505},
     {125, 1780, 701, 3005},
     750.75f,
     450.75f,
     {800.75f, 10775, 350.75f, 295},
     834,
     4669,
     1424},
    // Below tab top + status height + 800 every size is the absolute value of a
    // negative difference; the progress bar stops at 0 wide.
    {"tiny window",
     300,
     1500,
     {25, 1380, 250, 995},
     {125, 1780, 0, 495},
     225,
     75,
     {275, 10775, 0, 295},
     1535,
     5370,
     2125},
    {"no size at all",
     0,
     0,
     {25, 1380, 50, 2495},
     {125, 1780, 200, 1995},
     0,
     300,
     {50, 10775, 200, 295},
     1835,
     5670,
     2425},
};

TEST(ArrangeControls, PlacesEveryControlByTheRules) {
    for (const ArrangeRow& row : kArrangeRows) {
        SCOPED_TRACE(row.name);
        MainWindowPlaces places = DesignPlaces();
        ArrangeControls(row.W, row.H, places);
        ExpectRect(places.tabStrip, row.tabStrip, "tab strip");
        ExpectRect(places.views, row.views, "browser elements");
        ASSERT_EQ(places.panelWidths.size(), 2u);
        EXPECT_FLOAT_EQ(places.panelWidths[0], row.panel1);
        EXPECT_FLOAT_EQ(places.panelWidths[1], row.panel2);
        ExpectRect(places.progressBar, row.progressBar, "progress bar");
        EXPECT_FLOAT_EQ(places.addressBox.Width, row.addressWidth);
        EXPECT_FLOAT_EQ(places.websiteButton.Width, row.websiteWidth);
        EXPECT_FLOAT_EQ(places.goButton.Left, row.goLeft);
        // Nothing else moves.
        EXPECT_FLOAT_EQ(places.addressBox.Left, 540);
        EXPECT_FLOAT_EQ(places.goButton.Top, 960);
        ExpectRect(places.statusBar, {0, 10785, 12135, 315}, "status bar");
    }
}

TEST(ArrangeControls, NoSizeIsEverNegative) {
    for (float W : {0.0f, 1.0f, 50.0f, 266.0f, 400.0f, 533.0f, 1000.0f}) {
        for (float H : {0.0f, 1.0f, 2495.0f, 2995.0f, 3000.0f}) {
            MainWindowPlaces places = DesignPlaces();
            ArrangeControls(W, H, places);
            for (const TwipsRect& rect : {places.tabStrip, places.views, places.progressBar,
                                          places.addressBox, places.websiteButton}) {
                EXPECT_GE(rect.Width, 0) << W << " x " << H;
                EXPECT_GE(rect.Height, 0) << W << " x " << H;
            }
            EXPECT_GE(places.panelWidths[1], 0);
        }
    }
}

TEST(ArrangeControls, WiderWindowWidensAddressBoxAndWebsiteButtonAlike) {
    MainWindowPlaces narrow = DesignPlaces();
    MainWindowPlaces wide = DesignPlaces();
    ArrangeControls(12000, 9000, narrow);
    ArrangeControls(13000, 9000, wide);
    EXPECT_FLOAT_EQ(wide.addressBox.Width - narrow.addressBox.Width, 1000);
    EXPECT_FLOAT_EQ(wide.websiteButton.Width - narrow.websiteButton.Width, 1000);
    EXPECT_FLOAT_EQ(wide.goButton.Left - (wide.addressBox.Left + wide.addressBox.Width), 50);
}

TEST(ArrangeControls, SecondPanelRunsPastTheRightEdge) {
    for (float W : {601.0f, 701.0f, 9000.0f, 30000.0f}) {
        MainWindowPlaces places = DesignPlaces();
        ArrangeControls(W, 9000, places);
        const float panel2Right =
            places.statusBar.Left + places.panelWidths[0] + places.panelWidths[1];
        EXPECT_GT(panel2Right, W);
        // The bar starts 50 twips into panel 2 and is 100 narrower, so it passes the
        // edge from 700 twips on.
        if (W > 700) {
            EXPECT_GT(places.progressBar.Left + places.progressBar.Width, W);
        }
    }
    MainWindowPlaces narrow = DesignPlaces();
    ArrangeControls(600, 9000, narrow);
    EXPECT_FLOAT_EQ(narrow.panelWidths[0] + narrow.panelWidths[1], 600);
}

TEST(ArrangeControls, AddsTheSecondPanelOnlyOnce) {
    MainWindowPlaces places = DesignPlaces();
    ASSERT_EQ(places.panelWidths.size(), 1u);
    ArrangeControls(9000, 9000, places);
    ArrangeControls(12000, 9000, places);
    EXPECT_EQ(places.panelWidths.size(), 2u);

    MainWindowPlaces started = DesignPlaces();
    started.panelWidths = {10, 20};
    ArrangeControls(9000, 9000, started);
    ASSERT_EQ(started.panelWidths.size(), 2u);
    EXPECT_FLOAT_EQ(started.panelWidths[0], 6750);
}

TEST(TakeBarFromViews, TheBarTakesItsHeightFromTheViewsBottomOnly) {
    const struct {
        TwipsRect views;
        float bar;
        TwipsRect expectedViews, expectedBar;
    } rows[] = {
        {{125, 1780, 15060, 8525}, 500, {125, 1780, 15060, 8025}, {125, 9805, 15060, 500}},
        {{125, 1780, 15060, 300}, 500, {125, 1780, 15060, 0}, {125, 1780, 15060, 300}},
    };
    for (const auto& row : rows) {
        const ViewsAndBar places = TakeBarFromViews(row.views, row.bar);
        ExpectRect(places.views, row.expectedViews, "views");
        ExpectRect(places.bar, row.expectedBar, "bar");
    }
}

TEST(Twips, ConvertAtTheDisplaysResolution) {
    struct Row {
        float twips;
        int dpi;
        int pixels;
    };
    const Row rows[] = {{1440, 96, 96},   {15, 96, 1},  {12135, 96, 809}, {1440, 144, 144},
                        {7170, 120, 598}, {1440, 0, 96} /* no reported resolution */};
    for (const Row& row : rows) {
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels) << row.twips << " @ " << row.dpi;
    }
    EXPECT_FLOAT_EQ(PixelsToTwips(1, 96), 15);
    EXPECT_FLOAT_EQ(PixelsToTwips(1024, 96), 15360);
    EXPECT_FLOAT_EQ(PixelsToTwips(96, 144), 960);
}

TEST(SplashTicker, OpensTheMainWindowOnTheSeventyFifthTickOnly) {
    SplashTicker ticker;
    int openingTick = 0;
    for (int tick = 1; tick <= 1000; ++tick) {
        if (ticker.Tick()) {
            EXPECT_EQ(openingTick, 0) << "a second opening tick at " << tick;
            openingTick = tick;
            EXPECT_EQ(ticker.Count(), 150);
        }
    }
    EXPECT_EQ(openingTick, 75);
    EXPECT_EQ(SplashTicker::kTickIntervalMs, 2);
}

}  // namespace
}  // namespace quorvane
