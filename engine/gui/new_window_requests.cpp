#include "engine/gui/new_window_requests.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <optional>
#include <utility>

#include "engine/gui/denied_new_views.h"
#include "engine/gui/middle_clicked_link.h"

namespace quorvane {

NewWindowRequests::NewWindowRequests(wxWebView* view, Requested requested)
    : native_(static_cast<WebKitWebView*>(view->GetNativeBackend())),
      requested_(std::move(requested)) {
    DenyNewViews(view);
    if (!requested_) {
        view->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                   [view](wxWebViewEvent& event) { view->LoadURL(event.GetURL()); });
        return;
    }
    view->Bind(wxEVT_WEBVIEW_NEWWINDOW, [this](wxWebViewEvent& event) {
        requested_(event.GetURL().utf8_string(),
                   event.GetNavigationAction() == wxWEBVIEW_NAV_ACTION_USER);
    });
    g_signal_connect(native_, "decide-policy", G_CALLBACK(&OnMiddleClick), this);
}

NewWindowRequests::~NewWindowRequests() {
    g_signal_handlers_disconnect_by_data(native_, this);
}

int NewWindowRequests::OnMiddleClick(WebKitWebView*, WebKitPolicyDecision* decision, int type,
                                     void* self) {
    const std::optional<std::string> link = TakeMiddleClickedLink(decision, type);
    if (!link) {
        return FALSE;
    }
    static_cast<NewWindowRequests*>(self)->requested_(*link, true);
    return TRUE;
}

}  // namespace quorvane
