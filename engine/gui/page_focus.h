#pragma once

class wxWebView;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The keyboard for a view's page. wxWidgets gives it to the scrolled window around the
// engine's widget, where keys such as Page Down do not reach the page; here the engine's
// own widget takes it, and wxWidgets hears of it as if its window had it.
class PageFocus {
  public:
    PageFocus(wxWebView* window, WebKitWebView* view);
    ~PageFocus();
    PageFocus(const PageFocus&) = delete;
    PageFocus& operator=(const PageFocus&) = delete;

    void Take();

  private:
    static int OnFocusIn(void* widget, void* event, void* self);
    static int OnFocusOut(void* widget, void* event, void* self);

    wxWebView* window_;
    WebKitWebView* view_;
};

}  // namespace quorvane
