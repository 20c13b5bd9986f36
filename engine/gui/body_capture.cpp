#include "engine/gui/body_capture.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace quorvane {
namespace {

// Runs in a script world of its own, so a page that redefines the DOM's getters for
// its own scripts cannot change what we capture.
constexpr const char* kCaptureScript = "document.body ? document.body.outerHTML : null";
constexpr const char* kCaptureWorld = "quorvane-capture";

struct PendingCapture {
    BrowserElement::CaptureDone done;
};

void OnCaptured(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingCapture> capture(static_cast<PendingCapture*>(data));
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (error != nullptr) {
        // A cancelled capture belongs to an element that is gone: nobody may be told.
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (!cancelled) {
            capture->done(std::nullopt);
        }
        return;
    }
    std::optional<std::string> bodyHtml;
    if (jsc_value_is_string(value)) {
        gchar* text = jsc_value_to_string(value);
        bodyHtml = text;
        g_free(text);
    }
    g_object_unref(value);
    capture->done(std::move(bodyHtml));
}

}  // namespace

BodyCapture::BodyCapture(WebKitWebView* view) : view_(view), captures_(g_cancellable_new()) {}

BodyCapture::~BodyCapture() {
    g_cancellable_cancel(captures_);
    g_object_unref(captures_);
}

void BodyCapture::Capture(BrowserElement::CaptureDone done) {
    webkit_web_view_evaluate_javascript(view_, kCaptureScript, -1, kCaptureWorld, nullptr,
                                        captures_, &OnCaptured,
                                        new PendingCapture{std::move(done)});
}

}  // namespace quorvane
