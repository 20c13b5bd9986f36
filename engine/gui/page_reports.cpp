#include "engine/gui/page_reports.h"

#include <webkit2/webkit2.h>

#include <cstdint>

#include "desktop/translation.h"
#include "engine/browser_events.h"
#include "engine/gui/deferred_load.h"

namespace quorvane {

PageReports::PageReports(WebKitWebView* view, BrowserEvents& events, int index,
                         const DeferredLoad& load)
    : view_(view), events_(events), index_(index), load_(load) {
    g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(&OnProgress), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(&OnTitle), this);
    g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(&OnMouseTarget), this);
}

PageReports::~PageReports() {
    g_signal_handlers_disconnect_by_data(view_, this);
}

void PageReports::ReportTitle() {
    const gchar* title = webkit_web_view_get_title(view_);
    events_.TitleChange(index_, title ? title : "");
}

void PageReports::ReportLoadStart(const std::string& address) {
    events_.StatusTextChange(index_, Translated("Opening {1}...", {address}));
}

void PageReports::ReportLoadEnd() {
    events_.StatusTextChange(index_, Translated("Done"));
}

void PageReports::OnProgress(WebKitWebView* view, void*, void* self) {
    auto* reports = static_cast<PageReports*>(self);
    if (reports->load_.CreationLoadPending()) {
        return;
    }
    const double progress = webkit_web_view_get_estimated_load_progress(view);
    reports->events_.ProgressChange(reports->index_, static_cast<std::int32_t>(progress * 100),
                                    100);
}

void PageReports::OnTitle(WebKitWebView*, void*, void* self) {
    static_cast<PageReports*>(self)->ReportTitle();
}

void PageReports::OnMouseTarget(WebKitWebView*, void* hitTest, unsigned, void* self) {
    auto* reports = static_cast<PageReports*>(self);
    auto* hit = static_cast<WebKitHitTestResult*>(hitTest);
    std::string text;
    if (webkit_hit_test_result_context_is_link(hit)) {
        const gchar* uri = webkit_hit_test_result_get_link_uri(hit);
        text = uri ? uri : "";
    }
    if (text != reports->lastStatusText_) {
        reports->lastStatusText_ = text;
        reports->events_.StatusTextChange(reports->index_, text);
    }
}

}  // namespace quorvane
