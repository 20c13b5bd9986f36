// The browser element's find in page and zoom, on the engine's find controller and zoom
// level.
#include <webkit2/webkit2.h>

#include <utility>

#include "main_window/gui/webview_browser_element.h"
#include "main_window/zoom_ladder.h"

namespace quorvane {
namespace {

// The engine's editing command that clears the selection; the API names no macro for it.
constexpr const char* kUnselectCommand = "Unselect";

}  // namespace

void WebViewBrowserElement::Find(const std::string& text, bool matchCase, unsigned maxMatches,
                                 FindDone found) {
    const guint32 options =
        WEBKIT_FIND_OPTIONS_WRAP_AROUND | (matchCase ? 0 : WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE);
    found_ = std::move(found);
    StyleCurrentMatch(true);
    if (drawingHeld_) {
        heldFind_ = HeldFind{text, options, maxMatches};
        return;
    }
    RunFind({text, options, maxMatches});
}

// A new search starts at the top of the page: from the current match, as the engine would
// start it, "needl" typed after the second "need" would select the second match while the
// count, knowing no positions, says "1 of 3".
void WebViewBrowserElement::RunFind(const HeldFind& find) {
    webkit_web_view_execute_editing_command(native_, kUnselectCommand);
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
    StyleCurrentMatch(false);
}

void WebViewBrowserElement::StyleCurrentMatch(bool styled) {
    if (styled == currentMatchStyled_) {
        return;
    }
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(native_);
    if (styled) {
        webkit_user_content_manager_add_style_sheet(content, currentMatchStyle_);
    } else {
        webkit_user_content_manager_remove_style_sheet(content, currentMatchStyle_);
    }
    currentMatchStyled_ = styled;
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
