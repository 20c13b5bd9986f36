#pragma once

typedef struct _WebKitWebView WebKitWebView;
typedef struct _GtkWidget GtkWidget;
typedef struct _GdkEventScroll GdkEventScroll;

namespace quorvane {

// Ctrl and the wheel zoom the view under the pointer, a rung of the zoom ladder per step
// of the wheel; a touchpad's smooth scrolling counts as a step once it has come that far.
class WheelZoom {
  public:
    explicit WheelZoom(WebKitWebView* view);
    ~WheelZoom();
    WheelZoom(const WheelZoom&) = delete;
    WheelZoom& operator=(const WheelZoom&) = delete;

  private:
    static int OnScroll(GtkWidget* widget, GdkEventScroll* event, void* self);

    WebKitWebView* view_;
    double turn_ = 0;  // smooth scrolling's part of a wheel step
};

}  // namespace quorvane
