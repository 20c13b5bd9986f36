#pragma once

#include "main_window/status_panel.h"
#include "main_window/window_views.h"

namespace quorvane {

// The zoom commands on the visible view; each view keeps its own zoom level.
class ViewZoom {
  public:
    ViewZoom(WindowViews& views, StatusPanel& status) : views_(views), status_(status) {}

    void ZoomIn();
    void ZoomOut();
    void ActualSize();

  private:
    double VisibleZoomLevel() const;
    void SetVisibleZoomLevel(double level);

    WindowViews& views_;
    StatusPanel& status_;
};

}  // namespace quorvane
