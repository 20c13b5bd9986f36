#include "engine/gui/engine_zoom.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "engine/zoom_ladder.h"

namespace quorvane {

EngineZoom::EngineZoom(WebKitWebView* view, Changed changed)
    : view_(view), changed_(std::move(changed)) {
    g_signal_connect(view_, "scroll-event", G_CALLBACK(&OnScroll), this);
    g_signal_connect(view_, "notify::zoom-level", G_CALLBACK(&OnLevelChanged), this);
}

EngineZoom::~EngineZoom() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

double EngineZoom::Level() const {
    return webkit_web_view_get_zoom_level(view_);
}

void EngineZoom::SetLevel(double level) {
    webkit_web_view_set_zoom_level(view_, level);
}

void EngineZoom::OnLevelChanged(WebKitWebView* view, void*, void* self) {
    static_cast<EngineZoom*>(self)->changed_(webkit_web_view_get_zoom_level(view));
}

int EngineZoom::OnScroll(GtkWidget*, GdkEventScroll* event, void* self) {
    auto* zoom = static_cast<EngineZoom*>(self);
    if ((event->state & GDK_CONTROL_MASK) == 0) {
        return FALSE;
    }
    int steps = 0;
    if (event->direction == GDK_SCROLL_UP || event->direction == GDK_SCROLL_DOWN) {
        steps = event->direction == GDK_SCROLL_UP ? 1 : -1;
    } else if (event->direction == GDK_SCROLL_SMOOTH) {
        zoom->turn_ -= event->delta_y;
        steps = static_cast<int>(zoom->turn_);
        zoom->turn_ -= steps;
    }
    for (; steps > 0; --steps) {
        zoom->SetLevel(ZoomedIn(zoom->Level()));
    }
    for (; steps < 0; ++steps) {
        zoom->SetLevel(ZoomedOut(zoom->Level()));
    }
    return TRUE;
}

}  // namespace quorvane
