#include "engine/gui/page_focus.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

namespace quorvane {

PageFocus::PageFocus(wxWebView* window, WebKitWebView* view) : window_(window), view_(view) {
    g_signal_connect(view_, "focus-in-event", G_CALLBACK(&OnFocusIn), this);
    g_signal_connect(view_, "focus-out-event", G_CALLBACK(&OnFocusOut), this);
}

PageFocus::~PageFocus() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

void PageFocus::Take() {
    gtk_widget_grab_focus(GTK_WIDGET(view_));
}

// The engine handles the event as well: it is told, not consumed.
int PageFocus::OnFocusIn(void*, void*, void* self) {
    static_cast<PageFocus*>(self)->window_->GTKHandleFocusIn();
    return FALSE;
}

int PageFocus::OnFocusOut(void*, void*, void* self) {
    static_cast<PageFocus*>(self)->window_->GTKHandleFocusOut();
    return FALSE;
}

}  // namespace quorvane
