#pragma once

#include <wx/timer.h>

#include <chrono>
#include <functional>

typedef struct _GdkWindow GdkWindow;
typedef struct _GtkWidget GtkWidget;
typedef struct _cairo_region cairo_region_t;

namespace quorvane {

// Tells when the engine has next given a web view a new picture of its page. The engine
// answers questions about a page (a snapshot of it) before it has sent the view its new
// picture: what lies over the view waits for that picture, or the screen shows the view's
// old, empty picture for a moment. The engine says nothing of the picture but asks GTK to
// draw the view again, which is what the watch hears; should that have come first, nothing
// more comes, and the watch ends after longestWait all the same.
class EngineDrawingWatch {
  public:
    explicit EngineDrawingWatch(GtkWidget* view);
    ~EngineDrawingWatch();
    EngineDrawingWatch(const EngineDrawingWatch&) = delete;
    EngineDrawingWatch& operator=(const EngineDrawingWatch&) = delete;

    // drawn runs once, after the view's next picture (it replaces a watch running).
    void Watch(std::function<void()> drawn, std::chrono::milliseconds longestWait);
    void Cancel();

  private:
    static void OnInvalidated(GdkWindow* window, cairo_region_t* region);
    void Listen(bool listening);

    GtkWidget* view_;
    GdkWindow* listenedTo_ = nullptr;
    std::function<void()> drawn_;
    wxTimer end_;
};

}  // namespace quorvane
