#pragma once

#include <array>

#include "engine/browser_element.h"
#include "inspection/served_source_pane.h"

namespace quorvane {

// The main window's four views: the three browser elements (the Browser, Source Code and
// Images views) and the "Original Source" view, which shows the Browser view's page as
// the server sent it and is no browser element.
class WindowViews {
  public:
    static constexpr int kBrowserView = 0;
    static constexpr int kSourceView = 1;
    static constexpr int kImagesView = 2;
    static constexpr int kServedSourceView = 3;
    static constexpr int kElementCount = 3;

    WindowViews(const std::array<BrowserElement*, 3>& elements, ServedSourcePane& servedSource)
        : elements_(elements), servedSource_(servedSource) {}

    BrowserElement& Element(int view) const { return *elements_[view]; }
    BrowserElement& Browser() const { return *elements_[kBrowserView]; }
    const std::array<BrowserElement*, 3>& Elements() const { return elements_; }
    ServedSourcePane& ServedSource() const { return servedSource_; }

    // The Original Source view when it is shown, else the last element, of 0, 1, 2,
    // whose Visible is true.
    int VisibleView() const;
    // The element the navigation commands work on: the visible one, or the Browser view's
    // while the Original Source view, which shows its page, is visible.
    BrowserElement& VisibleElement() const;
    void HideAll() const;

  private:
    std::array<BrowserElement*, 3> elements_;
    ServedSourcePane& servedSource_;
};

}  // namespace quorvane
