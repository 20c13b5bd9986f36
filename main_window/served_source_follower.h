#pragma once

#include "engine/browser_view_element.h"
#include "engine/served_resource.h"
#include "inspection/served_source_pane.h"

namespace quorvane {

// Keeps the "Original Source" view on the Browser view's page. The page's bytes are read
// from the engine only while the view is shown, so a page costs nothing here until the
// user looks; a page that finishes loading meanwhile makes what the view holds outdated.
// For the page of its own the Browser view shows in place of one that could not be
// opened, the view says "No page: " and why.
class ServedSourceFollower {
  public:
    // What the view shows, as the user sees it.
    enum class State {
        Outdated,  // an older page, or none yet: read the Browser view's when shown
        Reading,   // the engine is asked for the page's bytes
        Shown,     // the Browser view's page
    };

    ServedSourceFollower(BrowserViewElement& browser, ServedSourcePane& pane);

    // The Browser view finished a load, however it ended.
    void OnPageLoaded();
    // The view was made visible.
    void OnShown();
    State CurrentState() const { return state_; }

  private:
    void Read();
    void OnRead(unsigned request, std::optional<ServedResource> resource);

    BrowserViewElement& browser_;
    ServedSourcePane& pane_;
    State state_ = State::Outdated;
    unsigned request_ = 0;  // numbers the reads, so an answer for an older page is dropped
};

}  // namespace quorvane
