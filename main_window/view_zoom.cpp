#include "main_window/view_zoom.h"

#include "engine/zoom_ladder.h"

namespace quorvane {

double ViewZoom::VisibleZoomLevel() const {
    const int visible = views_.VisibleView();
    return visible == WindowViews::kServedSourceView ? views_.ServedSource().ZoomLevel()
           : WindowViews::IsElement(visible)         ? views_.Element(visible).ZoomLevel()
                                                     : kActualSize;
}

// The level is said at once: the view's new size alone does not tell where it stands.
// The Image List's table keeps the desktop's size.
void ViewZoom::SetVisibleZoomLevel(double level) {
    const int visible = views_.VisibleView();
    if (visible == WindowViews::kImageListView) {
        return;
    }
    if (visible == WindowViews::kServedSourceView) {
        views_.ServedSource().SetZoomLevel(level);
    } else {
        views_.Element(visible).SetZoomLevel(level);
    }
    status_.Message("Zoom " + ZoomPercent(level));
}

void ViewZoom::ZoomIn() {
    SetVisibleZoomLevel(ZoomedIn(VisibleZoomLevel()));
}

void ViewZoom::ZoomOut() {
    SetVisibleZoomLevel(ZoomedOut(VisibleZoomLevel()));
}

void ViewZoom::ActualSize() {
    SetVisibleZoomLevel(kActualSize);
}

}  // namespace quorvane
