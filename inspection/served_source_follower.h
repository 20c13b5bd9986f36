#pragma once

#include <functional>

#include "engine/browser_view_element.h"
#include "engine/served_resource.h"
#include "inspection/served_source_pane.h"

namespace quorvane {

// Keeps the "Original Source" view on the Browser view's page. The page's bytes are read
// from the engine only while the view is shown, so a page costs nothing here until the
// user looks. They are read as soon as the engine has them whole, while the page's
// pictures, scripts and layout may keep its load going for long: the view then shows the
// page's source, whole, while the page still loads, and says so. A page whose bytes the
// engine never said it had (one from its cache) is read when its load ends. For the page
// of its own the Browser view shows in place of one that could not be opened, the view
// says "No page: " and why. Of a page saved whole (MHTML) it shows the page's own
// document in the archive, at the address the page was saved from.
class ServedSourceFollower {
  public:
    // What the view shows, as the user sees it.
    enum class State {
        Outdated,              // an older page, or none yet: read the Browser view's when shown
        OutdatedWhileLoading,  // the same, while the page, its bytes whole, still loads
        Reading,               // the engine is asked for the page's bytes
        ReadingWhileLoading,   // the same, while the page still loads
        ShownWhileLoading,     // the page's source, whole, while the page still loads
        Shown,                 // the Browser view's page
    };

    // loading: told true when the view shows a page still loading, false when it no longer
    // does (the view was hidden) and at every load's end.
    ServedSourceFollower(BrowserViewElement& browser, ServedSourcePane& pane,
                         std::function<void(bool stillLoading)> loading = {});

    // The engine has the bytes of the Browser view's new page whole; its load goes on.
    void OnMainResourceFinished();
    // The Browser view finished a load, however it ended.
    void OnPageLoaded();
    // The view was made visible, or hidden.
    void OnShown();
    void OnHidden();
    State CurrentState() const { return state_; }

  private:
    void Read();
    void OnRead(unsigned request, std::optional<ServedResource> resource);

    BrowserViewElement& browser_;
    ServedSourcePane& pane_;
    std::function<void(bool)> loading_;
    State state_ = State::Outdated;
    unsigned request_ = 0;  // numbers the reads, so an answer for an older page is dropped
};

}  // namespace quorvane
