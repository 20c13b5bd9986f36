#include "engine/gui/laid_out_watch.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <utility>

namespace quorvane {
namespace {

// The longest wait for the picture after the answer: the engine may have sent the picture
// before it answered, and then nothing more comes. A page that took the engine long to
// lay out takes it long to draw too (at 20 MB on a loaded machine, up to a fifth of the
// layout's time): the wait grows with it, so that the view never shows its old, empty
// picture meanwhile.
std::chrono::milliseconds LongestWaitForPicture(std::chrono::steady_clock::duration layout) {
    using std::chrono::milliseconds;
    return std::clamp(std::chrono::duration_cast<milliseconds>(layout / 2), milliseconds(2000),
                      milliseconds(20000));
}

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
    asked_ = std::chrono::steady_clock::now();
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
    watch->drawing_.Watch(std::exchange(watch->shown_, nullptr),
                          LongestWaitForPicture(std::chrono::steady_clock::now() - watch->asked_));
}

}  // namespace quorvane
