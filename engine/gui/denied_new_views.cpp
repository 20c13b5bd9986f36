#include "engine/gui/denied_new_views.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

namespace quorvane {
namespace {

// No view: the engine opens no window, and takes the request as refused.
GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, wxWebView* view) {
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    wxWebViewEvent event(wxEVT_WEBVIEW_NEWWINDOW, view->GetId(),
                         wxString::FromUTF8(uri != nullptr ? uri : ""), wxString());
    event.SetEventObject(view);
    view->HandleWindowEvent(event);
    return nullptr;
}

}  // namespace

void DenyNewViews(wxWebView* view) {
    auto* native = static_cast<WebKitWebView*>(view->GetNativeBackend());
    // The view is fresh from wxWidgets: each "create" handler it has is wxWidgets' own.
    const guint create = g_signal_lookup("create", WEBKIT_TYPE_WEB_VIEW);
    while (const gulong handler = g_signal_handler_find(native, G_SIGNAL_MATCH_ID, create, 0,
                                                        nullptr, nullptr, nullptr)) {
        g_signal_handler_disconnect(native, handler);
    }
    g_signal_connect(native, "create", G_CALLBACK(&OnCreate), view);
}

}  // namespace quorvane
