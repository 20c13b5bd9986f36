#pragma once

#include <array>

#include "engine/browser_element.h"
#include "engine/browser_view_element.h"
#include "engine/generated_view_element.h"
#include "image_list/image_list_pane.h"
#include "inspection/served_source_pane.h"
#include "requests/request_list_pane.h"

namespace quorvane {

// The main window's three browser elements, each in its role: the Browser view's, and the
// two generated views' (the Source Code and Images views).
struct ViewElements {
    BrowserViewElement* browser;
    GeneratedViewElement* source;
    GeneratedViewElement* images;
};

// The main window's six views: the three browser elements (the Browser, Source Code and
// Images views), the "Original Source" view, which shows the Browser view's page as the
// server sent it, the "Image List" view of the images of the Browser view's page and the
// "Resources" view of its requests; these three are no browser elements.
class WindowViews {
  public:
    static constexpr int kBrowserView = 0;
    static constexpr int kSourceView = 1;
    static constexpr int kImagesView = 2;
    static constexpr int kServedSourceView = 3;
    static constexpr int kImageListView = 4;
    static constexpr int kRequestListView = 5;
    static constexpr int kElementCount = 3;

    WindowViews(const ViewElements& elements, ServedSourcePane& servedSource,
                ImageListPane& imageList, RequestListPane& requestList)
        : browser_(*elements.browser),
          generated_{elements.source, elements.images},
          elements_{elements.browser, elements.source, elements.images},
          servedSource_(servedSource),
          imageList_(imageList),
          requestList_(requestList) {}

    BrowserElement& Element(int view) const { return *elements_[view]; }
    BrowserViewElement& Browser() const { return browser_; }
    // The Source Code or Images view's element.
    GeneratedViewElement& Generated(int view) const { return *generated_.at(view - kSourceView); }
    const std::array<BrowserElement*, 3>& Elements() const { return elements_; }
    ServedSourcePane& ServedSource() const { return servedSource_; }
    ImageListPane& ImageList() const { return imageList_; }
    RequestListPane& RequestList() const { return requestList_; }
    // Whether view is a browser element's.
    static bool IsElement(int view) { return view >= 0 && view < kElementCount; }

    // The Original Source, Image List or Resources view when it is shown, else the last
    // element, of 0, 1, 2, whose Visible is true.
    int VisibleView() const;
    // The element the navigation commands work on: the visible one, or the Browser view's
    // while the Original Source, Image List or Resources view, which show its page, is
    // visible.
    BrowserElement& VisibleElement() const;
    void HideAll() const;

  private:
    BrowserViewElement& browser_;
    std::array<GeneratedViewElement*, 2> generated_;
    std::array<BrowserElement*, 3> elements_;
    ServedSourcePane& servedSource_;
    ImageListPane& imageList_;
    RequestListPane& requestList_;
};

}  // namespace quorvane
