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
// its own scripts cannot change what we capture, nor see what we keep.
constexpr const char* kCaptureWorld = "quorvane-capture";

// The body is taken at once and kept in our world; we read it in slices, as turning a
// string of tens of megabytes into ours in one piece holds the window for up to a second.
// The answer is the body's length, or null for a document without one.
constexpr const char* kTakeBodyScript =
    "globalThis.quorvaneBody = document.body ? document.body.outerHTML : null;"
    "globalThis.quorvaneBodyRead = 0;"
    "quorvaneBody === null ? null : quorvaneBody.length";

// The next slice, empty once all is read. A slice never ends between the two halves of a
// character outside the basic plane.
constexpr const char* kNextSliceScript = R"((() => {
  const body = globalThis.quorvaneBody;
  const start = globalThis.quorvaneBodyRead;
  if (typeof body !== "string" || start >= body.length) {
    globalThis.quorvaneBody = null;
    return "";
  }
  let end = Math.min(start + 1048576, body.length);
  if (end < body.length && (body.charCodeAt(end - 1) & 0xFC00) === 0xD800) {
    end -= 1;
  }
  globalThis.quorvaneBodyRead = end;
  return body.substring(start, end);
})())";

struct PendingCapture {
    WebKitWebView* view;
    GCancellable* cancellable;
    BrowserElement::CaptureDone done;
    std::string body;
};

void RunScript(std::unique_ptr<PendingCapture> capture, const char* script,
               GAsyncReadyCallback answered) {
    PendingCapture* pending = capture.release();
    webkit_web_view_evaluate_javascript(pending->view, script, -1, kCaptureWorld, nullptr,
                                        pending->cancellable, answered, pending);
}

// The script's answer; none when it failed. A cancelled capture belongs to an element
// that is gone: nobody may be told.
JSCValue* Answer(GObject* source, GAsyncResult* result, PendingCapture& capture) {
    GError* error = nullptr;
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (error != nullptr) {
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_error_free(error);
        if (!cancelled) {
            capture.done(std::nullopt);
        }
    }
    return value;
}

void OnSliceRead(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingCapture> capture(static_cast<PendingCapture*>(data));
    JSCValue* value = Answer(source, result, *capture);
    if (value == nullptr) {
        return;
    }
    // As bytes, so that a NUL the page's scripts put into the text does not end it.
    std::size_t sliceBytes = 0;
    if (jsc_value_is_string(value)) {
        GBytes* slice = jsc_value_to_string_as_bytes(value);
        const auto* bytes = static_cast<const char*>(g_bytes_get_data(slice, &sliceBytes));
        capture->body.append(bytes, sliceBytes);
        g_bytes_unref(slice);
    }
    g_object_unref(value);
    if (sliceBytes == 0) {
        capture->done(std::move(capture->body));
        return;
    }
    RunScript(std::move(capture), kNextSliceScript, &OnSliceRead);
}

void OnBodyTaken(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingCapture> capture(static_cast<PendingCapture*>(data));
    JSCValue* value = Answer(source, result, *capture);
    if (value == nullptr) {
        return;
    }
    const bool hasBody = jsc_value_is_number(value);
    if (hasBody) {
        // Each UTF-16 unit takes at least a byte in UTF-8.
        capture->body.reserve(static_cast<std::size_t>(jsc_value_to_double(value)));
    }
    g_object_unref(value);
    if (!hasBody) {
        capture->done(std::nullopt);
        return;
    }
    RunScript(std::move(capture), kNextSliceScript, &OnSliceRead);
}

}  // namespace

BodyCapture::BodyCapture(WebKitWebView* view) : view_(view), captures_(g_cancellable_new()) {}

BodyCapture::~BodyCapture() {
    g_cancellable_cancel(captures_);
    g_object_unref(captures_);
}

void BodyCapture::Capture(BrowserElement::CaptureDone done) {
    RunScript(
        std::make_unique<PendingCapture>(PendingCapture{view_, captures_, std::move(done), {}}),
        kTakeBodyScript, &OnBodyTaken);
}

}  // namespace quorvane
