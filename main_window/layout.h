#pragma once

#include <vector>

namespace quorvane {

// A control's place in twips (1440 per inch), single precision as the layout rules ask.
struct TwipsRect {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// The places of the main window's controls that ArrangeControls reads or writes.
struct MainWindowPlaces {
    TwipsRect tabStrip;
    TwipsRect views;  // the three browser elements always share one rectangle
    TwipsRect statusBar;
    std::vector<float> panelWidths;  // the status bar's panels, one at design time
    TwipsRect progressBar;
    TwipsRect addressBox;
    TwipsRect websiteButton;
    TwipsRect goButton;
};

// The places of the window's design.
MainWindowPlaces DesignPlaces();

// Re-lays out the controls that follow the window's outer width W and height H
// (borders, title and menu bar included). Sizes are taken as absolute values, so none
// is ever negative however small the window. Panel 2 is as wide as panel 1 less 300
// twips and so runs past the window's right edge: only its inside part is seen.
void ArrangeControls(float W, float H, MainWindowPlaces& places);

// The views' rectangle with a bar (the find bar) taken from its bottom: the views keep
// their place less the bar's height, and the bar lies under them, as wide as they are.
// A bar taller than the views takes all of their height.
struct ViewsAndBar {
    TwipsRect views;
    TwipsRect bar;
};
ViewsAndBar TakeBarFromViews(const TwipsRect& views, float barHeight);

}  // namespace quorvane
