#include "engine/gui/engine_resource_copies.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <utility>

#include "base/window_slice.h"
#include "engine/gui/resource_data.h"

namespace quorvane {
namespace {

// Marks a resource carries once its load ended, whole or not.
constexpr const char* kEndedMark = "quorvane-load-ended";
constexpr const char* kFailedMark = "quorvane-load-failed";

void OnResourceFinished(WebKitWebResource* resource, gpointer) {
    g_object_set_data(G_OBJECT(resource), kEndedMark, GINT_TO_POINTER(1));
}

void OnResourceFailed(WebKitWebResource* resource, GError*, gpointer) {
    g_object_set_data(G_OBJECT(resource), kFailedMark, GINT_TO_POINTER(1));
}

// What the page was given whole: a load that ended without failing, with the bytes of a
// success (an error page's bytes are no picture of it). A file: or data: answer has no
// status. A web answer that did not say its length could be of any size: it is fetched
// to a file instead of copied into the program's memory.
bool LoadedWhole(WebKitWebResource* resource) {
    if (g_object_get_data(G_OBJECT(resource), kEndedMark) == nullptr ||
        g_object_get_data(G_OBJECT(resource), kFailedMark) != nullptr) {
        return false;
    }
    WebKitURIResponse* response = webkit_web_resource_get_response(resource);
    if (response == nullptr) {
        return false;
    }
    const unsigned status = webkit_uri_response_get_status_code(response);
    const guint64 length = webkit_uri_response_get_content_length(response);
    return (status == 0 || (status >= 200 && status < 300 && length > 0)) &&
           length <= EngineResourceCopies::kMaxCopyBytes;
}

bool LoadHasEnded(WebKitWebResource* resource) {
    return g_object_get_data(G_OBJECT(resource), kEndedMark) != nullptr ||
           g_object_get_data(G_OBJECT(resource), kFailedMark) != nullptr;
}

std::string OrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

}  // namespace

// One wait for a file still loading: it ends at the file's end or failure or when the
// wait runs out, whichever comes first, and lets go of its handlers and timer as it ends.
class EngineResourceCopies::LoadWait {
  public:
    LoadWait(EngineResourceCopies& owner, WebKitWebResource* resource,
             std::chrono::milliseconds wait, ResourceCopies::LoadEnded ended)
        : owner_(owner),
          resource_(WEBKIT_WEB_RESOURCE(g_object_ref(resource))),
          ended_(std::move(ended)) {
        // Connected after the marks' handlers, so these run once the marks are set.
        finishedId_ = g_signal_connect(resource_, "finished", G_CALLBACK(&OnFinished), this);
        failedId_ = g_signal_connect(resource_, "failed", G_CALLBACK(&OnFailed), this);
        timerId_ = g_timeout_add(static_cast<guint>(wait.count()), &OnWaitOver, this);
    }
    ~LoadWait() {
        g_signal_handler_disconnect(resource_, finishedId_);
        g_signal_handler_disconnect(resource_, failedId_);
        if (timerId_ != 0) {
            g_source_remove(timerId_);
        }
        g_object_unref(resource_);
    }
    LoadWait(const LoadWait&) = delete;
    LoadWait& operator=(const LoadWait&) = delete;

  private:
    static void OnFinished(WebKitWebResource*, gpointer self) {
        static_cast<LoadWait*>(self)->End(true);
    }
    static void OnFailed(WebKitWebResource*, GError*, gpointer self) {
        static_cast<LoadWait*>(self)->End(false);
    }
    static gboolean OnWaitOver(gpointer self) {
        auto* wait = static_cast<LoadWait*>(self);
        wait->timerId_ = 0;  // GLib removes the source as it returns
        wait->End(false);
        return G_SOURCE_REMOVE;
    }
    // The wait is gone before ended runs, as ended may wait for another file.
    void End(bool loaded) {
        ResourceCopies::LoadEnded ended = std::move(ended_);
        owner_.waits_.erase(this);
        ended(loaded);
    }

    EngineResourceCopies& owner_;
    WebKitWebResource* resource_;
    ResourceCopies::LoadEnded ended_;
    gulong finishedId_ = 0;
    gulong failedId_ = 0;
    guint timerId_ = 0;
};

EngineResourceCopies::EngineResourceCopies(WebKitWebView* view)
    : view_(WEBKIT_WEB_VIEW(g_object_ref(view))), reads_(g_cancellable_new()) {
    g_signal_connect(view_, "resource-load-started", G_CALLBACK(&OnResourceLoadStarted), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(&OnLoadChanged), this);
}

EngineResourceCopies::~EngineResourceCopies() {
    waits_.clear();
    g_cancellable_cancel(reads_);
    g_object_unref(reads_);
    g_signal_handlers_disconnect_by_data(view_, this);
    g_object_unref(view_);
    Forget();
    if (releaseSource_ != 0) {
        g_source_remove(releaseSource_);
    }
    for (WebKitWebResource* resource : releasing_) {
        g_object_unref(resource);
    }
}

// The waits of the page before end unanswered: their reader has forgotten that page too.
// Letting go of a page's tens of thousands of files at once would hold the window as the
// next page starts: they go once the window is idle, a slice at a time.
void EngineResourceCopies::Forget() {
    waits_.clear();
    releasing_.reserve(releasing_.size() + kept_.size());
    for (const auto& [address, resource] : kept_) {
        releasing_.push_back(resource);
    }
    kept_.clear();
    keptAddressBytes_ = 0;
    if (!releasing_.empty() && releaseSource_ == 0) {
        releaseSource_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &OnReleaseTurn, this, nullptr);
    }
}

int EngineResourceCopies::OnReleaseTurn(void* self) {
    auto* copies = static_cast<EngineResourceCopies*>(self);
    if (copies->ReleaseSlice()) {
        return G_SOURCE_CONTINUE;
    }
    copies->releaseSource_ = 0;
    return G_SOURCE_REMOVE;
}

bool EngineResourceCopies::ReleaseSlice() {
    const auto sliceEnd = std::chrono::steady_clock::now() + kWindowSlice;
    while (!releasing_.empty() && std::chrono::steady_clock::now() < sliceEnd) {
        g_object_unref(releasing_.back());
        releasing_.pop_back();
    }
    return !releasing_.empty();
}

// A page's files begin to load once its navigation has started; what the page before
// still loads meanwhile is kept too, and answers only for an address the new page loads
// as well, as the engine reads the frame's current copy.
void EngineResourceCopies::OnLoadChanged(WebKitWebView*, int loadEvent, void* self) {
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        static_cast<EngineResourceCopies*>(self)->Forget();
    }
}

void EngineResourceCopies::OnResourceLoadStarted(WebKitWebView*, WebKitWebResource* resource,
                                                 WebKitURIRequest* request, void* self) {
    auto* copies = static_cast<EngineResourceCopies*>(self);
    const std::string address = OrEmpty(webkit_uri_request_get_uri(request));
    if (copies->kept_.size() >= kMaxKept || address.empty() || address.size() > kMaxAddressBytes ||
        copies->keptAddressBytes_ + address.size() > kMaxKeptAddressBytes) {
        return;
    }
    const auto [place, added] = copies->kept_.try_emplace(address, resource);
    if (!added) {
        // The latest load of an address is what the page shows now.
        g_object_unref(place->second);
        place->second = resource;
    } else {
        copies->keptAddressBytes_ += address.size();
    }
    g_object_ref(resource);
    // The handlers touch only the resource, which they go with.
    g_signal_connect(resource, "finished", G_CALLBACK(&OnResourceFinished), nullptr);
    g_signal_connect(resource, "failed", G_CALLBACK(&OnResourceFailed), nullptr);
}

void EngineResourceCopies::Read(const std::string& address, ResourceCopies::CopyDone done) {
    const auto kept = kept_.find(address);
    if (kept == kept_.end() || !LoadedWhole(kept->second)) {
        done(std::nullopt);
        return;
    }
    WebKitURIResponse* response = webkit_web_resource_get_response(kept->second);
    ServedResource described{address, {}, OrEmpty(webkit_uri_response_get_mime_type(response)), {}};
    ReadResourceData(kept->second, reads_, std::move(described), std::move(done));
}

void EngineResourceCopies::AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                                     ResourceCopies::LoadEnded ended) {
    const auto kept = kept_.find(address);
    if (kept == kept_.end() || LoadHasEnded(kept->second) || waits_.size() >= kMaxKept) {
        ended(false);
        return;
    }
    auto waiting = std::make_unique<LoadWait>(*this, kept->second, wait, std::move(ended));
    const LoadWait* key = waiting.get();
    waits_.emplace(key, std::move(waiting));
}

}  // namespace quorvane
