#pragma once

#include "engine/browser_view_element.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Reads the body of a view's document as the page's scripts have left it, in a script
// world of our own. Captures still running when it goes are cancelled and never answer,
// and so are the view's other reads made with Cancellable().
class BodyCapture {
  public:
    explicit BodyCapture(WebKitWebView* view);
    ~BodyCapture();
    BodyCapture(const BodyCapture&) = delete;
    BodyCapture& operator=(const BodyCapture&) = delete;

    void Capture(BrowserViewElement::CaptureDone done);
    GCancellable* Cancellable() const { return captures_; }

  private:
    WebKitWebView* view_;
    GCancellable* captures_;
    unsigned captureCount_ = 0;
};

}  // namespace quorvane
