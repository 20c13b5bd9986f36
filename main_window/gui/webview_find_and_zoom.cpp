// The browser element's find in page and zoom, on the engine's find controller and zoom
// level.
#include <webkit2/webkit2.h>

#include <utility>

#include "main_window/gui/webview_browser_element.h"
#include "main_window/zoom_ladder.h"

namespace quorvane {

void WebViewBrowserElement::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                                 FindDone found) {
    const guint32 options =
        WEBKIT_FIND_OPTIONS_WRAP_AROUND | (matchCase ? 0 : WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE);
    found_ = std::move(found);
    if (drawingHeld_) {
        heldFind_ = HeldFind{text, options, maxMatches};
        return;
    }
    RunFind({text, options, maxMatches});
}

void WebViewBrowserElement::RunFind(const HeldFind& find) {
    ++countsAsked_;
    webkit_find_controller_count_matches(finder_, find.text.c_str(), find.options, find.maxMatches);
    webkit_find_controller_search(finder_, find.text.c_str(), find.options, find.maxMatches);
}

void WebViewBrowserElement::FindNext() {
    webkit_find_controller_search_next(finder_);
}

void WebViewBrowserElement::FindPrevious() {
    webkit_find_controller_search_previous(finder_);
}

void WebViewBrowserElement::EndFind() {
    found_ = nullptr;
    heldFind_.reset();
    webkit_find_controller_search_finish(finder_);
}

// Only the answer to the last count is passed on: the ones before belong to searches
// the user has typed past.
void WebViewBrowserElement::OnCountedMatches(WebKitFindController*, unsigned matches, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    if (element->countsAsked_ > 0 && --element->countsAsked_ == 0 && element->found_) {
        std::exchange(element->found_, nullptr)(matches);
    }
}

double WebViewBrowserElement::ZoomLevel() const {
    return webkit_web_view_get_zoom_level(native_);
}

void WebViewBrowserElement::SetZoomLevel(double level) {
    webkit_web_view_set_zoom_level(native_, level);
}

// Ctrl and the wheel zoom the view under the pointer, a rung of the ladder per step of
// the wheel; a touchpad's smooth scrolling counts as a step once it has come that far.
int WebViewBrowserElement::OnScroll(GtkWidget*, GdkEventScroll* event, void* self) {
    auto* element = static_cast<WebViewBrowserElement*>(self);
    if ((event->state & GDK_CONTROL_MASK) == 0) {
        return FALSE;
    }
    int steps = 0;
    if (event->direction == GDK_SCROLL_UP || event->direction == GDK_SCROLL_DOWN) {
        steps = event->direction == GDK_SCROLL_UP ? 1 : -1;
    } else if (event->direction == GDK_SCROLL_SMOOTH) {
        element->wheelTurn_ -= event->delta_y;
        steps = static_cast<int>(element->wheelTurn_);
        element->wheelTurn_ -= steps;
    }
    for (; steps > 0; --steps) {
        element->SetZoomLevel(ZoomedIn(element->ZoomLevel()));
    }
    for (; steps < 0; ++steps) {
        element->SetZoomLevel(ZoomedOut(element->ZoomLevel()));
    }
    return TRUE;
}

}  // namespace quorvane
