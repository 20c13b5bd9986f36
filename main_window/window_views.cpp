#include "main_window/window_views.h"

namespace quorvane {

// With no view visible (only before start-up) the Browser view counts as visible.
int WindowViews::VisibleView() const {
    if (servedSource_.Visible()) {
        return kServedSourceView;
    }
    if (imageList_.Visible()) {
        return kImageListView;
    }
    if (requestList_.Visible()) {
        return kRequestListView;
    }
    int visible = kBrowserView;
    for (int i = 0; i < kElementCount; ++i) {
        if (elements_[i]->Visible()) {
            visible = i;
        }
    }
    return visible;
}

BrowserElement& WindowViews::VisibleElement() const {
    const int visible = VisibleView();
    return *elements_[IsElement(visible) ? visible : kBrowserView];
}

void WindowViews::HideAll() const {
    for (BrowserElement* element : elements_) {
        element->SetVisible(false);
    }
    servedSource_.SetVisible(false);
    imageList_.SetVisible(false);
    requestList_.SetVisible(false);
}

}  // namespace quorvane
