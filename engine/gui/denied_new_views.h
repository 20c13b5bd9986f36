#pragma once

class wxWebView;

namespace quorvane {

// The engine asks for a new view ("create") when a page calls window.open() and for its own
// "Open Link in New Window". It supports only a view related to the one asking, made for
// the request, or none; wxWidgets answers with the asking view itself, and the engine aborts
// the whole program on that answer. Windows of the program are copies of it, each with engines
// of its own, so the request is denied the engine's way (no view: window.open() gives the
// page null) and its address goes to the view's handlers as wxEVT_WEBVIEW_NEWWINDOW, the
// event wxWidgets sends for a link with a target of its own.
//
// Called once for each view, straight after it is made.
void DenyNewViews(wxWebView* view);

}  // namespace quorvane
