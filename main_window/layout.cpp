#include "main_window/layout.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// The width a status-bar panel gets when it is added with default properties.
constexpr float kDefaultPanelWidth = 1440;

// Panels sit side by side from the status bar's left edge, so a panel's Left is the
// bar's Left plus the widths of the panels before it.
float PanelLeft(const MainWindowPlaces& places, std::size_t panel) {
    float left = places.statusBar.Left;
    for (std::size_t i = 0; i < panel && i < places.panelWidths.size(); ++i) {
        left += places.panelWidths[i];
    }
    return left;
}

void ArrangeTabStripAndViews(float W, float H, MainWindowPlaces& p) {
    p.tabStrip.Left = 25;
    p.tabStrip.Height = std::fabs(H - p.tabStrip.Top - p.statusBar.Height - 800);
    p.tabStrip.Width = std::fabs(W - 2 * p.tabStrip.Left);
    p.views.Top = std::fabs(p.tabStrip.Top + 400);
    p.views.Left = std::fabs(p.tabStrip.Left + 100);
    p.views.Width = std::fabs(p.tabStrip.Width - 250);
    p.views.Height = std::fabs(p.tabStrip.Height - 500);
}

// Panel 2 is deliberately as wide as panel 1 less 300 twips, not the room that remains
// right of panel 1, so it and the progress bar over it run past the window's edge.
// The progress bar's height and width are the only sizes not taken as absolute values;
// they stop at 0, since a window narrower than 533 twips would otherwise hand the
// toolkit a negative width, which it reads as "use the default size".
void ArrangeStatusBar(float W, MainWindowPlaces& p) {
    while (p.panelWidths.size() < 2) {
        p.panelWidths.push_back(kDefaultPanelWidth);
    }
    p.panelWidths[0] = W * 0.75f;
    p.panelWidths[1] = std::fabs(p.panelWidths[0] - 300);
    p.progressBar.Left = PanelLeft(p, 1) + 50;
    p.progressBar.Top = p.statusBar.Top - 10;
    p.progressBar.Height = std::max(0.0f, p.statusBar.Height - 20);
    p.progressBar.Width = std::max(0.0f, p.panelWidths[1] - 100);
}

void ArrangeAddressRow(float W, MainWindowPlaces& p) {
    p.addressBox.Width = std::fabs(W - p.addressBox.Left - p.goButton.Width - 200);
    p.websiteButton.Width = std::fabs(W - p.websiteButton.Left - 150);
    p.goButton.Left = p.addressBox.Width + p.addressBox.Left + 50;
}

}  // namespace

MainWindowPlaces DesignPlaces() {
    MainWindowPlaces places;
    places.tabStrip = {0, 1380, 10215, 7875};
    // The browser elements have no design place of their own: they start where the
    // first arrangement would put them inside the design tab strip.
    places.views = {100, 1780, 9965, 7375};
    places.statusBar = {0, 10785, 12135, 315};
    places.panelWidths = {kDefaultPanelWidth};
    places.progressBar = {840, 10800, 1935, 315};
    places.addressBox = {540, 960, 2715, 315};
    places.websiteButton = {5520, 60, 3495, 855};
    places.goButton = {3600, 960, 1095, 315};
    return places;
}

void ArrangeControls(float W, float H, MainWindowPlaces& places) {
    ArrangeTabStripAndViews(W, H, places);
    ArrangeStatusBar(W, places);
    ArrangeAddressRow(W, places);
}

ViewsAndBar TakeBarFromViews(const TwipsRect& views, float barHeight) {
    const float bar = std::min(barHeight, views.Height);
    ViewsAndBar places{views, views};
    places.views.Height = views.Height - bar;
    places.bar.Top = views.Top + places.views.Height;
    places.bar.Height = bar;
    return places;
}

}  // namespace quorvane
