#include "engine/gui/engine_drawing_watch.h"

#include <gtk/gtk.h>

#include <utility>

namespace quorvane {
namespace {

constexpr const char* kWatchKey = "quorvane-drawing-watch";

}  // namespace

EngineDrawingWatch::EngineDrawingWatch(GtkWidget* view) : view_(view) {
    end_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        Listen(false);
        if (auto drawn = std::exchange(drawn_, nullptr)) {
            drawn();
        }
    });
}

EngineDrawingWatch::~EngineDrawingWatch() {
    Listen(false);
}

void EngineDrawingWatch::Watch(std::function<void()> drawn, std::chrono::milliseconds longestWait) {
    drawn_ = std::move(drawn);
    Listen(true);
    end_.StartOnce(static_cast<int>(longestWait.count()));
}

void EngineDrawingWatch::Cancel() {
    Listen(false);
    end_.Stop();
    drawn_ = nullptr;
}

// GDK keeps one such handler a window, with no data of its own: the window names the watch.
void EngineDrawingWatch::Listen(bool listening) {
    if (listenedTo_ != nullptr) {
        gdk_window_set_invalidate_handler(listenedTo_, nullptr);
        g_object_set_data(G_OBJECT(listenedTo_), kWatchKey, nullptr);
        listenedTo_ = nullptr;
    }
    GdkWindow* window = gtk_widget_get_window(view_);
    if (listening && window != nullptr) {
        listenedTo_ = window;
        g_object_set_data(G_OBJECT(window), kWatchKey, this);
        gdk_window_set_invalidate_handler(window, &OnInvalidated);
    }
}

// Called while GTK marks the view to be drawn again, inside the engine's own handling of
// its picture: what lies over the view goes right after, before the screen is drawn.
void EngineDrawingWatch::OnInvalidated(GdkWindow* window, cairo_region_t*) {
    auto* watch = static_cast<EngineDrawingWatch*>(g_object_get_data(G_OBJECT(window), kWatchKey));
    if (watch != nullptr && watch->drawn_) {
        watch->end_.StartOnce(1);
    }
}

}  // namespace quorvane
