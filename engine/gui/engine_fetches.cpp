#include "engine/gui/engine_fetches.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "desktop/translation.h"
#include "engine/gui/engine_download.h"

namespace quorvane {

// One fetch: a download into a file the caller chose.
struct EngineFetches::Pending {
    EngineFetches* owner;
    FileFetcher::FetchId id;
    WebKitDownload* download;  // a reference of our own
    std::string filePath;
    FileFetcher::FetchDone done;
    std::optional<std::string> error;

    Pending(EngineFetches* owner, FileFetcher::FetchId id, WebKitDownload* download,
            std::string filePath, FileFetcher::FetchDone done)
        : owner(owner),
          id(id),
          download(download),
          filePath(std::move(filePath)),
          done(std::move(done)) {}
    ~Pending() {
        g_signal_handlers_disconnect_by_data(download, this);
        g_object_unref(download);
    }

    static gboolean OnDecideDestination(WebKitDownload*, gchar*, void* self) {
        auto* fetch = static_cast<Pending*>(self);
        SetDestination(fetch->download, fetch->filePath);
        return TRUE;
    }
    static void OnFailed(WebKitDownload*, GError* error, void* self) {
        static_cast<Pending*>(self)->error = error->message;
    }
    static void OnFinished(WebKitDownload*, void* self) {
        auto* fetch = static_cast<Pending*>(self);
        fetch->owner->Finish(fetch);
    }
};

EngineFetches::EngineFetches(WebKitWebView* view) : view_(view) {}

EngineFetches::~EngineFetches() {
    CancelAll();
}

void EngineFetches::Fetch(FileFetcher::FetchId id, const std::string& address,
                          const std::string& filePath, FileFetcher::FetchDone done) {
    WebKitDownload* download = webkit_web_view_download_uri(view_, address.c_str());
    g_object_set_data(G_OBJECT(download), kFetchMark, GINT_TO_POINTER(1));
    auto* fetch =
        fetches_.emplace_back(std::make_unique<Pending>(this, id, download, filePath, std::move(done)))
            .get();
    ConnectToDownload(download, "decide-destination", &Pending::OnDecideDestination, fetch);
    ConnectToDownload(download, "failed", &Pending::OnFailed, fetch);
    ConnectToDownload(download, "finished", &Pending::OnFinished, fetch);
    if (!networkProcess_ || !networkProcess_->Watching()) {
        networkProcess_.emplace([this] { OnNetworkProcessEnded(); });
    }
}

// The engine says nothing more of these fetches, and must not be asked to cancel them.
void EngineFetches::OnNetworkProcessEnded() {
    auto cut = std::move(fetches_);
    fetches_.clear();
    for (auto& fetch : cut) {
        g_signal_handlers_disconnect_by_data(fetch->download, fetch.get());
        std::error_code ignored;
        std::filesystem::remove(fetch->filePath + kEngineSuffix, ignored);
        FileFetcher::FetchDone done = std::move(fetch->done);
        fetch.reset();
        done(Translated(kNetworkProcessEnded));
    }
}

void EngineFetches::Cancel(FileFetcher::FetchId id) {
    const auto found = std::find_if(fetches_.begin(), fetches_.end(),
                                    [id](const auto& fetch) { return fetch->id == id; });
    if (found == fetches_.end()) {
        return;
    }
    const std::unique_ptr<Pending> cancelled = std::move(*found);
    fetches_.erase(found);
    g_signal_handlers_disconnect_by_data(cancelled->download, cancelled.get());
    webkit_download_cancel(cancelled->download);
}

void EngineFetches::CancelAll() {
    auto cancelled = std::move(fetches_);
    fetches_.clear();
    for (const auto& fetch : cancelled) {
        g_signal_handlers_disconnect_by_data(fetch->download, fetch.get());
        webkit_download_cancel(fetch->download);
    }
}

// done runs last: it may start the next fetch at once.
void EngineFetches::Finish(Pending* fetch) {
    const auto found = std::find_if(fetches_.begin(), fetches_.end(),
                                    [fetch](const auto& each) { return each.get() == fetch; });
    if (found == fetches_.end()) {
        return;
    }
    std::unique_ptr<Pending> finished = std::move(*found);
    fetches_.erase(found);
    std::optional<std::string> error =
        finished->error ? finished->error : Unfinished(finished->download);
    FileFetcher::FetchDone done = std::move(finished->done);
    finished.reset();
    done(std::move(error));
}

}  // namespace quorvane
