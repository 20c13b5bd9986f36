#include "tests/e2e/engine_downloads_watch.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

namespace quorvane::test {

// The views may share one engine context: each is followed once.
EngineDownloadsWatch::EngineDownloadsWatch(MainFrame& frame) {
    for (int view = 0; view < 3; ++view) {
        if (const wxWebView* window = frame.Element(view).Window()) {
            WebKitWebContext* context = webkit_web_view_get_context(
                static_cast<WebKitWebView*>(window->GetNativeBackend()));
            if (contexts_.insert(context).second) {
                g_signal_connect(context, "download-started", G_CALLBACK(&OnStarted), this);
            }
        }
    }
}

EngineDownloadsWatch::~EngineDownloadsWatch() {
    for (WebKitWebContext* context : contexts_) {
        g_signal_handlers_disconnect_by_data(context, this);
    }
    for (WebKitDownload* download : running_) {
        g_signal_handlers_disconnect_by_data(download, this);
        g_object_unref(download);
    }
}

void EngineDownloadsWatch::OnStarted(WebKitWebContext*, WebKitDownload* download, void* self) {
    auto* watch = static_cast<EngineDownloadsWatch*>(self);
    ++watch->started_;
    watch->running_.insert(WEBKIT_DOWNLOAD(g_object_ref(download)));
    g_signal_connect(download, "finished", G_CALLBACK(&OnFinished), watch);
}

void EngineDownloadsWatch::OnFinished(WebKitDownload* download, void* self) {
    auto* watch = static_cast<EngineDownloadsWatch*>(self);
    g_signal_handlers_disconnect_by_data(download, watch);
    watch->running_.erase(download);
    g_object_unref(download);
}

}  // namespace quorvane::test
