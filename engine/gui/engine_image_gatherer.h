#pragma once

#include <functional>
#include <string>
#include <string_view>

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserContentManager WebKitUserContentManager;
typedef struct _WebKitJavascriptResult WebKitJavascriptResult;
typedef struct _WebKitUserScript WebKitUserScript;

namespace quorvane {

// The gatherer's script, embedded from image_gatherer.js.
extern const std::string_view kImageGathererScript;

// Runs the image gatherer in every frame of the view's pages, from the next page on: a
// user script at each document's end, in a script world of its own so that the page's
// scripts can neither see nor change it, reporting through a message handler of that
// world. Each report reaches reported as the JSON text the script sent; newPage runs when
// a page is committed to replace the one shown, before any of its frames can report.
class EngineImageGatherer {
  public:
    using Reported = std::function<void(std::string report)>;

    EngineImageGatherer(WebKitWebView* view, Reported reported, std::function<void()> newPage);
    ~EngineImageGatherer();
    EngineImageGatherer(const EngineImageGatherer&) = delete;
    EngineImageGatherer& operator=(const EngineImageGatherer&) = delete;

    // Gathers the shown document and the frames of its origin again; frames of other
    // origins keep what they reported at their load.
    void GatherAgain();

  private:
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    static void OnMessage(WebKitUserContentManager* manager, WebKitJavascriptResult* result,
                          void* self);

    WebKitWebView* view_;                // held, as the window may go first
    WebKitUserContentManager* content_;  // held, as the view may go first
    Reported reported_;
    std::function<void()> newPage_;
    WebKitUserScript* script_;
    GCancellable* requests_;  // cancels the requests still running when we go
    unsigned long handlerId_ = 0;
    unsigned long loadId_ = 0;
};

}  // namespace quorvane
