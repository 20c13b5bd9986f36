#include "engine/gui/body_capture.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/gui/script_text.h"

namespace quorvane {
namespace {

// Runs in a script world of its own, so a page that redefines the DOM's getters for
// its own scripts cannot change what we capture, nor see what we keep.
constexpr const char* kCaptureWorld = "quorvane-capture";

// The body is taken at once and kept in our world under the capture's number, so that
// captures made at the same time never share one; we read it in slices, as turning a
// string of tens of megabytes into ours in one piece holds the window for up to a second.
// A slice never ends between the two halves of a character outside the basic plane. The
// answer is the body's length and its number of slices, or null for a document without one.
constexpr const char* kTakeBodyScript = R"((() => {
  if (!document.body) {
    return null;
  }
  const body = document.body.outerHTML;
  const ends = [];
  for (let end = 0; end < body.length;) {
    end = Math.min(end + 1048576, body.length);
    if (end < body.length && (body.charCodeAt(end - 1) & 0xFC00) === 0xD800) {
      end -= 1;
    }
    ends.push(end);
  }
  const captures = (globalThis.quorvaneCaptures ??= new Map());
  captures.set(CAPTURE, { body, ends, read: 0 });
  return { length: body.length, slices: ends.length };
})())";

// The slice numbered SLICE; null when the capture is gone with its document. The capture
// is let go once its last slice is read.
constexpr const char* kSliceScript = R"((() => {
  const capture = globalThis.quorvaneCaptures?.get(CAPTURE);
  if (!capture) {
    return null;
  }
  const { body, ends } = capture;
  if (++capture.read === ends.length) {
    globalThis.quorvaneCaptures.delete(CAPTURE);
  }
  return body.substring(SLICE === 0 ? 0 : ends[SLICE - 1], ends[SLICE]);
})())";

// What the capture's scripts share. Two slices are asked for at a time, and the next as
// soon as one comes, so that the engine takes the next while we turn the last into ours.
// All slices asked for at once come at once, and the window turns them all into ours in
// one go, which held it for 100 to 250 ms at 20 MB. They are joined in their order.
struct PendingCapture {
    WebKitWebView* view;
    GCancellable* cancellable;
    BrowserViewElement::CaptureDone done;
    unsigned number;
    std::string body;
    std::vector<std::optional<std::string>> slices;
    std::size_t asked = 0;
    std::size_t joined = 0;
    bool ended = false;

    void End(std::optional<std::string> result) {
        if (!ended) {
            ended = true;
            done(std::move(result));
        }
    }
};

struct ScriptRun {
    std::shared_ptr<PendingCapture> capture;
    unsigned slice = 0;
};

void RunScript(ScriptRun run, const std::string& script, GAsyncReadyCallback answered) {
    PendingCapture& capture = *run.capture;
    webkit_web_view_evaluate_javascript(
        capture.view, script.c_str(), static_cast<gssize>(script.size()), kCaptureWorld, nullptr,
        capture.cancellable, answered, new ScriptRun(std::move(run)));
}

// The script's answer; none when it failed. A cancelled capture belongs to an element
// that is gone: nobody may be told.
JSCValue* Answer(GObject* source, GAsyncResult* result, PendingCapture& capture) {
    bool cancelled = false;
    JSCValue* value = ScriptAnswer(source, result, cancelled);
    if (value == nullptr) {
        if (cancelled) {
            capture.ended = true;
        } else {
            capture.End(std::nullopt);
        }
    }
    return value;
}

void OnSliceRead(GObject* source, GAsyncResult* result, gpointer data);

constexpr std::size_t kSlicesAskedAtATime = 2;

void AskForNextSlice(const std::shared_ptr<PendingCapture>& capture) {
    const auto slice = static_cast<unsigned>(capture->asked++);
    const std::string sliceScript = WithValue(kSliceScript, "CAPTURE", capture->number);
    RunScript({capture, slice}, WithValue(sliceScript, "SLICE", slice), &OnSliceRead);
}

void Join(PendingCapture& capture) {
    while (capture.joined < capture.slices.size() && capture.slices[capture.joined]) {
        capture.body.append(*capture.slices[capture.joined]);
        capture.slices[capture.joined++].reset();
    }
    if (capture.joined == capture.slices.size()) {
        capture.End(std::move(capture.body));
    }
}

void OnSliceRead(GObject* source, GAsyncResult* result, gpointer data) {
    const std::unique_ptr<ScriptRun> run(static_cast<ScriptRun*>(data));
    PendingCapture& capture = *run->capture;
    JSCValue* value = Answer(source, result, capture);
    if (value == nullptr || capture.ended) {
        if (value != nullptr) {
            g_object_unref(value);
        }
        return;
    }
    if (capture.asked < capture.slices.size()) {
        AskForNextSlice(run->capture);
    }
    std::optional<std::string> slice = StringAnswer(value);
    g_object_unref(value);
    if (!slice) {
        capture.End(std::nullopt);
        return;
    }
    capture.slices[run->slice] = std::move(slice);
    Join(capture);
}

double Property(JSCValue* object, const char* name) {
    JSCValue* property = jsc_value_object_get_property(object, name);
    const double number = jsc_value_is_number(property) ? jsc_value_to_double(property) : 0;
    g_object_unref(property);
    return number;
}

void OnBodyTaken(GObject* source, GAsyncResult* result, gpointer data) {
    const std::unique_ptr<ScriptRun> run(static_cast<ScriptRun*>(data));
    PendingCapture& capture = *run->capture;
    JSCValue* value = Answer(source, result, capture);
    if (value == nullptr) {
        return;
    }
    const bool hasBody = jsc_value_is_object(value);
    // Each UTF-16 unit takes at least a byte in UTF-8.
    const double length = hasBody ? Property(value, "length") : 0;
    const double slices = hasBody ? Property(value, "slices") : 0;
    g_object_unref(value);
    if (!hasBody) {
        capture.End(std::nullopt);
        return;
    }
    capture.body.reserve(static_cast<std::size_t>(length));
    capture.slices.resize(static_cast<std::size_t>(slices));
    while (capture.asked < std::min(capture.slices.size(), kSlicesAskedAtATime)) {
        AskForNextSlice(run->capture);
    }
    Join(capture);
}

}  // namespace

BodyCapture::BodyCapture(WebKitWebView* view) : view_(view), captures_(g_cancellable_new()) {}

BodyCapture::~BodyCapture() {
    g_cancellable_cancel(captures_);
    g_object_unref(captures_);
}

void BodyCapture::Capture(BrowserViewElement::CaptureDone done) {
    const unsigned number = ++captureCount_;
    auto capture = std::make_shared<PendingCapture>(
        PendingCapture{view_, captures_, std::move(done), number, {}, {}});
    RunScript({std::move(capture), 0}, WithValue(kTakeBodyScript, "CAPTURE", number), &OnBodyTaken);
}

}  // namespace quorvane
