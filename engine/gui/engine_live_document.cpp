#include "engine/gui/engine_live_document.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/gui/script_text.h"
#include "engine/live_document_text.h"

namespace quorvane {
namespace {

constexpr const char* kWorld = "quorvane-live-document";
constexpr std::size_t kSliceUnits = std::size_t{1} << 20;
// A page may nest any number of frames: the walk stops after this many.
constexpr std::size_t kMaxFramesWalked = 1000;

// Calls visit(element, document) for each frame element of the page, in the order of the
// elements at any depth, with the document it shows, or null for one of another site,
// which our world may not reach either; a visit that answers true ends the walk.
constexpr const char* kFrameWalk = R"(const eachFrame = (visit) => {
  let walked = 0;
  const walk = (within) => {
    for (const element of within.querySelectorAll('iframe, frame')) {
      if (walked++ >= MAX_FRAMES) {
        return true;
      }
      const inner = element.contentDocument;
      if (visit(element, inner) || (inner !== null && walk(inner))) {
        return true;
      }
    }
    return false;
  };
  walk(document);
};
)";

// The body of a function of the argument frame: the document to read is the main one for
// "", else the first frame's at that address. Kept in our world under the read's number
// until its last slice is read. The text is cut at LIMIT UTF-16 units, which take at least
// as many bytes: the bound in bytes comes after. A slice never ends between the two halves
// of a character outside the basic plane.
constexpr const char* kTakeBody = R"(let source = frame === '' ? document : null;
if (source === null) {
  eachFrame((element, inner) => {
    source = inner !== null && inner.URL === frame ? inner : null;
    return source !== null;
  });
}
const root = source?.documentElement;
if (!root) {
  return null;
}
const doctype = source.doctype ? new XMLSerializer().serializeToString(source.doctype) + '\n' : '';
const whole = doctype + root.outerHTML;
let text = whole.length > LIMIT ? whole.substring(0, LIMIT) : whole;
if ((text.charCodeAt(text.length - 1) & 0xFC00) === 0xD800) {
  text = text.substring(0, text.length - 1);
}
(globalThis.quorvaneLiveReads ??= new Map()).set(READ, { text, at: 0 });
return { length: whole.length, address: source.URL };
)";

// Each frame's address, one a line: URLs as the engine writes them hold no line end. In a
// function of its own, as a second walk may not declare the first one's names again.
constexpr const char* kListBody = R"(const found = [];
eachFrame((element, inner) => {
  found.push(inner !== null ? inner.URL : element.src);
  return false;
});
return found.join('\n');
)";

// The next slice, from where the last one ended: slices are read one after the other. The
// answer's first character says whether it is the last ("1") or not ("0").
constexpr const char* kSliceScript = R"((() => {
  const read = globalThis.quorvaneLiveReads?.get(READ);
  if (read === undefined) {
    return null;
  }
  const { text, at } = read;
  let to = Math.min(at + SLICE_UNITS, text.length);
  if (to < text.length && (text.charCodeAt(to - 1) & 0xFC00) === 0xD800) {
    to -= 1;
  }
  read.at = to;
  if (to >= text.length) {
    globalThis.quorvaneLiveReads.delete(READ);
  }
  return (to >= text.length ? '1' : '0') + text.substring(at, to);
})())";

struct PendingRead {
    WebKitWebView* view;
    GCancellable* cancellable;
    LiveDocumentReader::Done done;
    unsigned number;
    bool allRead = false;
    std::size_t totalUnits = 0;
    LiveDocument document;
};

std::string Script(std::string script, unsigned number) {
    script = WithValue(std::move(script), "SLICE_UNITS", kSliceUnits);
    script = WithValue(std::move(script), "LIMIT", kMaxServedSourceBytes);
    script = WithValue(std::move(script), "MAX_FRAMES", kMaxFramesWalked);
    return WithValue(std::move(script), "READ", number);
}

void Run(std::unique_ptr<PendingRead> read, const std::string& script,
         GAsyncReadyCallback answered) {
    PendingRead& pending = *read;
    webkit_web_view_evaluate_javascript(pending.view, script.c_str(),
                                        static_cast<gssize>(script.size()), kWorld, nullptr,
                                        pending.cancellable, answered, read.release());
}

// The answer, or none after telling done so; nobody is told of a cancelled read, whose
// reader has gone.
using Finish = JSCValue* (*)(GObject* source, GAsyncResult* result, bool& cancelled);

JSCValue* Answer(GObject* source, GAsyncResult* result, PendingRead& read,
                 Finish finish = &ScriptAnswer) {
    bool cancelled = false;
    JSCValue* value = finish(source, result, cancelled);
    if (value == nullptr && !cancelled) {
        read.done(std::nullopt);
    }
    return value;
}

void OnSliceRead(GObject* source, GAsyncResult* result, gpointer data);

void ReadNextSliceOrEnd(std::unique_ptr<PendingRead> read) {
    if (!read->allRead) {
        const std::string script = Script(kSliceScript, read->number);
        Run(std::move(read), script, &OnSliceRead);
        return;
    }
    read->document.cut = HoldLiveText(read->document.text, read->totalUnits);
    read->done(std::move(read->document));
}

void OnSliceRead(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingRead> read(static_cast<PendingRead*>(data));
    JSCValue* value = Answer(source, result, *read);
    if (value == nullptr) {
        return;
    }
    std::optional<std::string> slice = StringAnswer(value);
    g_object_unref(value);
    if (!slice || slice->empty()) {
        read->done(std::nullopt);
        return;
    }
    read->allRead = slice->front() == '1';
    read->document.text.append(*slice, 1);
    ReadNextSliceOrEnd(std::move(read));
}

double NumberProperty(JSCValue* object, const char* name) {
    JSCValue* property = jsc_value_object_get_property(object, name);
    const double number = jsc_value_is_number(property) ? jsc_value_to_double(property) : 0;
    g_object_unref(property);
    return number;
}

std::string StringProperty(JSCValue* object, const char* name) {
    JSCValue* property = jsc_value_object_get_property(object, name);
    std::string text = StringAnswer(property).value_or(std::string());
    g_object_unref(property);
    return text;
}

void OnTaken(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingRead> read(static_cast<PendingRead*>(data));
    JSCValue* value = Answer(source, result, *read, &FunctionAnswer);
    if (value == nullptr) {
        return;
    }
    if (!jsc_value_is_object(value)) {
        g_object_unref(value);
        read->done(std::nullopt);
        return;
    }
    read->totalUnits = static_cast<std::size_t>(NumberProperty(value, "length"));
    read->document.address = StringProperty(value, "address");
    g_object_unref(value);
    // Each UTF-16 unit takes at least a byte in UTF-8.
    read->document.text.reserve(std::min(read->totalUnits, kMaxServedSourceBytes));
    ReadNextSliceOrEnd(std::move(read));
}

std::vector<std::string> AddressLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (end > 0) {
            lines.emplace_back(text.substr(0, end));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

// A failed walk finds no frames; a cancelled one tells nobody.
void OnFramesListed(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<LiveDocumentReader::FramesDone> done(
        static_cast<LiveDocumentReader::FramesDone*>(data));
    bool cancelled = false;
    JSCValue* value = ScriptAnswer(source, result, cancelled);
    if (cancelled) {
        return;
    }
    std::vector<std::string> addresses;
    if (value != nullptr) {
        addresses = AddressLines(StringAnswer(value).value_or(std::string()));
        g_object_unref(value);
    }
    (*done)(std::move(addresses));
}

}  // namespace

EngineLiveDocument::EngineLiveDocument(wxWebView* view)
    : view_(WEBKIT_WEB_VIEW(g_object_ref(view->GetNativeBackend()))),
      reads_(g_cancellable_new()) {}

EngineLiveDocument::~EngineLiveDocument() {
    g_cancellable_cancel(reads_);
    g_object_unref(reads_);
    g_object_unref(view_);
}

void EngineLiveDocument::ReadLiveDocument(const std::string& frameAddress, Done done) {
    // The address goes to the script as an argument of its function: no text of it is
    // ever read as script.
    if (!g_utf8_validate(frameAddress.data(), static_cast<gssize>(frameAddress.size()), nullptr)) {
        done(std::nullopt);
        return;
    }
    auto read = std::make_unique<PendingRead>();
    read->view = view_;
    read->cancellable = reads_;
    read->done = std::move(done);
    read->number = ++readCount_;
    const std::string body = Script(std::string(kFrameWalk) + kTakeBody, readCount_);
    GVariantDict arguments;
    g_variant_dict_init(&arguments, nullptr);
    g_variant_dict_insert(&arguments, "frame", "s", frameAddress.c_str());
    webkit_web_view_call_async_javascript_function(
        view_, body.c_str(), static_cast<gssize>(body.size()), g_variant_dict_end(&arguments),
        kWorld, nullptr, reads_, &OnTaken, read.release());
}

void EngineLiveDocument::ListFrames(FramesDone done) {
    const std::string script =
        Script("(() => {\n" + std::string(kFrameWalk) + kListBody + "})()", 0);
    webkit_web_view_evaluate_javascript(view_, script.c_str(), static_cast<gssize>(script.size()),
                                        kWorld, nullptr, reads_, &OnFramesListed,
                                        new FramesDone(std::move(done)));
}

}  // namespace quorvane
