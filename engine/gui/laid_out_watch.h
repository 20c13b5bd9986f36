#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "engine/gui/engine_drawing_watch.h"

typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Tells when a web view shows its page laid out. The engine answers for a picture of the
// visible part only from a laid-out page, and gives the view that picture right after its
// answer: the watch waits for both. Neither a page's start nor the engine's first picture
// after it says as much: that may be an empty one.
class LaidOutWatch {
  public:
    explicit LaidOutWatch(WebKitWebView* view);
    LaidOutWatch(const LaidOutWatch&) = delete;
    LaidOutWatch& operator=(const LaidOutWatch&) = delete;

    // shown runs once, when the page as it is now is laid out and on the view (it replaces
    // a watch running).
    void Watch(std::function<void()> shown);
    void Cancel();

  private:
    static void OnAnswered(GObject* view, GAsyncResult* result, void* watch);

    WebKitWebView* view_;
    EngineDrawingWatch drawing_;
    std::function<void()> shown_;
    std::shared_ptr<int> current_;  // replaced by each watch: an older one's answer is late
    std::chrono::steady_clock::time_point asked_;
};

}  // namespace quorvane
