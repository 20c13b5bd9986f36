#include "engine/gui/wheel_zoom.h"

#include <webkit2/webkit2.h>

#include "engine/zoom_ladder.h"

namespace quorvane {

WheelZoom::WheelZoom(WebKitWebView* view) : view_(view) {
    g_signal_connect(view_, "scroll-event", G_CALLBACK(&OnScroll), this);
}

WheelZoom::~WheelZoom() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

int WheelZoom::OnScroll(GtkWidget*, GdkEventScroll* event, void* self) {
    auto* zoom = static_cast<WheelZoom*>(self);
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
        webkit_web_view_set_zoom_level(zoom->view_,
                                       ZoomedIn(webkit_web_view_get_zoom_level(zoom->view_)));
    }
    for (; steps < 0; ++steps) {
        webkit_web_view_set_zoom_level(zoom->view_,
                                       ZoomedOut(webkit_web_view_get_zoom_level(zoom->view_)));
    }
    return TRUE;
}

}  // namespace quorvane
