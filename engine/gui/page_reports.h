#pragma once

#include <string>

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

class BrowserEvents;
class DeferredLoad;

// Passes on what the engine reports of the page it shows, its title, its load progress and
// the address of the link under the mouse, and the start and end of every load, as the events of
// the browser element at index. It follows the engine's signals for as long as it lives.
class PageReports {
  public:
    // load: the element's, whose empty creation page has no progress to show.
    PageReports(WebKitWebView* view, BrowserEvents& events, int index, const DeferredLoad& load);
    ~PageReports();
    PageReports(const PageReports&) = delete;
    PageReports& operator=(const PageReports&) = delete;

    // Tells the engine's title as it is now.
    void ReportTitle();
    // Tells in the status text that a load of address has begun, or has ended however it
    // ended.
    void ReportLoadStart(const std::string& address);
    void ReportLoadEnd();

  private:
    static void OnProgress(WebKitWebView* view, void* paramSpec, void* self);
    static void OnTitle(WebKitWebView* view, void* paramSpec, void* self);
    static void OnMouseTarget(WebKitWebView* view, void* hitTest, unsigned modifiers, void* self);

    WebKitWebView* view_;
    BrowserEvents& events_;
    int index_;
    const DeferredLoad& load_;
    std::string lastStatusText_;
};

}  // namespace quorvane
