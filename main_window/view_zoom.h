#pragma once

#include "main_window/status_panel.h"
#include "main_window/window_views.h"

namespace quorvane {

// The zoom commands on the visible view; each view keeps its own zoom level. Panel 1 says
// the visible view's level whenever it changes (by a command or by Ctrl and the wheel),
// and when a view shown next is not at 100 %, so that what it says stays true.
class ViewZoom {
  public:
    ViewZoom(WindowViews& views, StatusPanel& status) : views_(views), status_(status) {}

    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    // The element view (0, 1, 2) has zoomed to level.
    void Zoomed(int view, double level);
    // Another view is shown.
    void ViewShown();

  private:
    double VisibleZoomLevel() const;
    void SetVisibleZoomLevel(double level);
    void Say(double level);

    WindowViews& views_;
    StatusPanel& status_;
};

}  // namespace quorvane
