#include "main_window/view_zoom.h"

#include <string>
#include <string_view>

#include "desktop/translation.h"
#include "engine/zoom_ladder.h"

namespace quorvane {
namespace {

// What the status says before the level, "Zoom 150%".
std::string ZoomSaid() {
    return Translated("Zoom") + " ";
}

}  // namespace

double ViewZoom::VisibleZoomLevel() const {
    const int visible = views_.VisibleView();
    return visible == WindowViews::kServedSourceView ? views_.ServedSource().ZoomLevel()
           : WindowViews::IsElement(visible)         ? views_.Element(visible).ZoomLevel()
                                                     : kActualSize;
}

// The level is said at once: the view's new size alone does not tell where it stands.
// The Image List's and the Resources view's tables keep the desktop's size.
void ViewZoom::SetVisibleZoomLevel(double level) {
    const int visible = views_.VisibleView();
    if (visible == WindowViews::kImageListView || visible == WindowViews::kRequestListView) {
        return;
    }
    if (visible == WindowViews::kServedSourceView) {
        views_.ServedSource().SetZoomLevel(level);
    } else {
        views_.Element(visible).SetZoomLevel(level);
    }
    Say(level);
}

void ViewZoom::Say(double level) {
    status_.Message(ZoomSaid() + ZoomPercent(level));
}

void ViewZoom::Zoomed(int view, double level) {
    if (view == views_.VisibleView()) {
        Say(level);
    }
}

// A view at 100 % says nothing, unless panel 1 still says the level of the view before.
void ViewZoom::ViewShown() {
    const double level = VisibleZoomLevel();
    if (level != kActualSize || status_.Shown().starts_with(ZoomSaid())) {
        Say(level);
    }
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
