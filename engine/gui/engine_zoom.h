#pragma once

#include <functional>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _GtkWidget GtkWidget;
typedef struct _GdkEventScroll GdkEventScroll;

namespace quorvane {

// A view's zoom level, set by the zoom commands or by Ctrl and the wheel over the view: a
// rung of the zoom ladder per step of the wheel; a touchpad's smooth scrolling counts as
// a step once it has come that far. Every change of the level, however made, is told.
class EngineZoom {
  public:
    using Changed = std::function<void(double level)>;
    EngineZoom(WebKitWebView* view, Changed changed);
    ~EngineZoom();
    EngineZoom(const EngineZoom&) = delete;
    EngineZoom& operator=(const EngineZoom&) = delete;

    double Level() const;
    void SetLevel(double level);

  private:
    static int OnScroll(GtkWidget* widget, GdkEventScroll* event, void* self);
    static void OnLevelChanged(WebKitWebView* view, void* paramSpec, void* self);

    WebKitWebView* view_;
    Changed changed_;
    double turn_ = 0;  // smooth scrolling's part of a wheel step
};

}  // namespace quorvane
