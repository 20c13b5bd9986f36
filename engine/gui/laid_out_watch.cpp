#include "engine/gui/laid_out_watch.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace quorvane {
namespace {

struct Answer {
    LaidOutWatch* watch;
    std::weak_ptr<int> current;  // expired once the watch or a newer one replaced it
};

}  // namespace

LaidOutWatch::LaidOutWatch(WebKitWebView* view) : view_(view), drawing_(GTK_WIDGET(view)) {}

void LaidOutWatch::Watch(std::function<void()> shown) {
    drawing_.Cancel();
    shown_ = std::move(shown);
    current_ = std::make_shared<int>(0);
    webkit_web_view_get_snapshot(view_, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                 WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr, &OnAnswered,
                                 new Answer{this, current_});
}

void LaidOutWatch::Cancel() {
    drawing_.Cancel();
    current_.reset();
    shown_ = nullptr;
}

void LaidOutWatch::OnAnswered(GObject* view, GAsyncResult* result, void* answer) {
    const std::unique_ptr<Answer> answered(static_cast<Answer*>(answer));
    GError* error = nullptr;
    cairo_surface_t* picture =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, &error);
    if (picture != nullptr) {
        cairo_surface_destroy(picture);
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    // The watch may be gone, or the answer late, for an older page.
    if (answered->current.expired()) {
        return;
    }
    // Until the picture is in the view, the view would show the page before, or none.
    LaidOutWatch* watch = answered->watch;
    watch->drawing_.Watch(std::exchange(watch->shown_, nullptr));
}

}  // namespace quorvane
