#include "engine/gui/main_resource_watch.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace quorvane {

MainResourceWatch::MainResourceWatch(WebKitWebView* view, std::function<void()> finished)
    : view_(view), finished_(std::move(finished)) {
    g_signal_connect(view_, "resource-load-started", G_CALLBACK(&OnResourceLoadStarted), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
}

MainResourceWatch::~MainResourceWatch() {
    g_signal_handlers_disconnect_by_data(view_, this);
    LetGo();
}

// The frames' documents and the page's files start here too: only the view's own document
// is watched, which the engine names as its main resource by the time it says it starts.
void MainResourceWatch::OnResourceLoadStarted(WebKitWebView* view, WebKitWebResource* resource,
                                              WebKitURIRequest*, void* self) {
    if (resource == webkit_web_view_get_main_resource(view)) {
        static_cast<MainResourceWatch*>(self)->Watch(resource);
    }
}

// The document of the page before, should it still be loading, says nothing of the new
// one: the engine names the new document only after it has said that the load starts,
// and should it ever name it before, the watch stays on it.
void MainResourceWatch::OnLoadChanged(WebKitWebView* view, int loadEvent, void* self) {
    auto* watch = static_cast<MainResourceWatch*>(self);
    if (loadEvent == WEBKIT_LOAD_STARTED &&
        watch->watched_ != webkit_web_view_get_main_resource(view)) {
        watch->LetGo();
    }
}

void MainResourceWatch::OnFinished(WebKitWebResource*, void* self) {
    auto* watch = static_cast<MainResourceWatch*>(self);
    watch->LetGo();
    watch->finished_();
}

void MainResourceWatch::Watch(WebKitWebResource* resource) {
    LetGo();
    watched_ = WEBKIT_WEB_RESOURCE(g_object_ref(resource));
    finishedId_ = g_signal_connect(watched_, "finished", G_CALLBACK(&OnFinished), this);
}

void MainResourceWatch::LetGo() {
    if (watched_ == nullptr) {
        return;
    }
    g_signal_handler_disconnect(watched_, finishedId_);
    g_object_unref(watched_);
    watched_ = nullptr;
}

}  // namespace quorvane
