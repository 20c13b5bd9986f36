#include "engine/gui/webkit_downloads.h"

#include <libsoup/soup.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "desktop/translation.h"
#include "engine/gui/engine_download.h"

namespace quorvane {
namespace {

// Where a view keeps the downloads that follow it.
constexpr const char* kFollowedBy = "quorvane-downloads";

bool IsFetch(WebKitDownload* download) {
    return g_object_get_data(G_OBJECT(download), kFetchMark) != nullptr;
}

// A response the server marks as an attachment is a file to keep, not a page to show.
bool IsAttachment(WebKitURIResponse* response) {
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    char* disposition = nullptr;
    if (headers == nullptr ||
        !soup_message_headers_get_content_disposition(headers, &disposition, nullptr)) {
        return false;
    }
    const bool attachment = g_ascii_strcasecmp(disposition, "attachment") == 0;
    g_free(disposition);
    return attachment;
}

}  // namespace

// A response the engine cannot show (an archive, a PDF without a viewer) or that the
// server marks as an attachment is downloaded; the engine would otherwise drop it
// without a word.
int DownloadWhatCannotBeShown(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              void*) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
        return FALSE;
    }
    auto* answer = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(answer);
    if (webkit_response_policy_decision_is_mime_type_supported(answer) && !IsAttachment(response)) {
        return FALSE;
    }
    WebKitDownloads* downloads = WebKitDownloads::Following(view);
    if (downloads != nullptr && EngineCannotDownload(response)) {
        webkit_policy_decision_ignore(decision);
        downloads->DownloadDirectly(view, response);
        return TRUE;
    }
    webkit_policy_decision_download(decision);
    return TRUE;
}

// One download from the moment the engine starts it until it finished. Cancelled or
// failed, it waits for the engine to end it, which may take a turn of the main loop.
struct WebKitDownloads::Download {
    enum class Stage {
        Running,    // the engine has it, on its way
        Cancelled,  // the user cancelled it
        Failed,     // it cannot become a whole file: error says why
    };

    WebKitDownloads* owner;
    WebKitDownload* download;  // a reference of our own
    std::unique_ptr<DownloadTarget> target;
    std::string filePath;  // where the engine writes it, once the target has chosen
    Stage stage = Stage::Running;
    std::string error;

    Download(WebKitDownloads* owner, WebKitDownload* download,
             std::unique_ptr<DownloadTarget> target)
        : owner(owner),
          download(static_cast<WebKitDownload*>(g_object_ref(download))),
          target(std::move(target)) {}
    ~Download() {
        g_signal_handlers_disconnect_by_data(download, this);
        g_object_unref(download);
    }
    Download(const Download&) = delete;
    Download& operator=(const Download&) = delete;

    static gboolean OnDecideDestination(WebKitDownload*, gchar* suggested, void* self);
    static void OnReceivedData(WebKitDownload*, guint64, void* self);
    static void OnFailed(WebKitDownload*, GError* error, void* self);
    static void OnFinished(WebKitDownload*, void* self);
    // True, having let go of the download, when it is a fetch.
    bool LeftToItsFetch();
    void Fail(std::string why);
    // Asks the engine to end the download; it then fails as cancelled.
    void Cancel();
    void Report();
    // The engine has let go of the download without a word: it fails, and what the
    // engine wrote goes too.
    void Abandon(const std::string& why);
};

bool WebKitDownloads::Download::LeftToItsFetch() {
    if (!IsFetch(download)) {
        return false;
    }
    owner->Forget(this);
    return true;
}

gboolean WebKitDownloads::Download::OnDecideDestination(WebKitDownload*, gchar* suggested,
                                                        void* self) {
    auto* state = static_cast<Download*>(self);
    if (state->LeftToItsFetch()) {
        return FALSE;
    }
    DownloadDestination destination =
        state->target->DestinationFor(suggested != nullptr ? suggested : "");
    if (destination.filePath.empty()) {
        state->Fail(std::move(destination.failure));
        webkit_download_cancel(state->download);
        return TRUE;
    }
    state->filePath = std::move(destination.filePath);
    SetDestination(state->download, state->filePath);
    state->target->Started();
    return TRUE;
}

void WebKitDownloads::Download::OnReceivedData(WebKitDownload*, guint64, void* self) {
    auto* state = static_cast<Download*>(self);
    if (state->LeftToItsFetch()) {
        return;
    }
    WebKitURIResponse* response = webkit_download_get_response(state->download);
    state->target->Received(
        webkit_download_get_received_data_length(state->download),
        response != nullptr ? webkit_uri_response_get_content_length(response) : 0,
        webkit_download_get_estimated_progress(state->download));
}

void WebKitDownloads::Download::OnFailed(WebKitDownload*, GError* error, void* self) {
    auto* state = static_cast<Download*>(self);
    if (state->LeftToItsFetch() || state->stage != Stage::Running) {
        return;
    }
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)) {
        state->stage = Stage::Cancelled;
    } else {
        state->Fail(error->message);
    }
}

void WebKitDownloads::Download::Fail(std::string why) {
    stage = Stage::Failed;
    error = std::move(why);
}

void WebKitDownloads::Download::Cancel() {
    if (stage == Stage::Running) {
        stage = Stage::Cancelled;
        webkit_download_cancel(download);
    }
}

// The engine ends every download here, after "failed" when it failed.
void WebKitDownloads::Download::OnFinished(WebKitDownload*, void* self) {
    auto* state = static_cast<Download*>(self);
    if (state->LeftToItsFetch()) {
        return;
    }
    state->Report();
    state->owner->Forget(state);
}

void WebKitDownloads::Download::Report() {
    if (stage == Stage::Running) {
        if (std::optional<std::string> unfinished = Unfinished(download)) {
            Fail(std::move(*unfinished));
        }
    }
    if (stage == Stage::Running) {
        target->Finished();
        return;
    }
    // The engine's partial file goes, which it leaves when its network process ended;
    // then the target's own, and the target says why.
    if (!filePath.empty()) {
        std::error_code ignored;
        std::filesystem::remove(filePath + kEngineSuffix, ignored);
    }
    stage == Stage::Cancelled ? target->Cancelled() : target->Failed(error);
}

void WebKitDownloads::Download::Abandon(const std::string& why) {
    g_signal_handlers_disconnect_by_data(download, this);
    Fail(why);
    Report();
}

WebKitDownloads::WebKitDownloads(MakeDownloadTarget makeTarget)
    : makeTarget_(std::move(makeTarget)) {}

WebKitDownloads::~WebKitDownloads() {
    for (WebKitWebContext* context : contexts_) {
        g_signal_handlers_disconnect_by_data(context, this);
    }
    for (WebKitWebView* view : views_) {
        g_object_set_data(G_OBJECT(view), kFollowedBy, nullptr);
    }
    for (const auto& direct : directDownloads_) {
        direct->Abandon();
    }
    for (const auto& state : downloads_) {
        g_signal_handlers_disconnect_by_data(state->download, state.get());
        webkit_download_cancel(state->download);
    }
}

void WebKitDownloads::Follow(wxWebView* view) {
    auto* native = static_cast<WebKitWebView*>(view->GetNativeBackend());
    WebKitWebContext* context = webkit_web_view_get_context(native);
    if (contexts_.insert(context).second) {
        g_signal_connect(context, "download-started", G_CALLBACK(&OnStarted), this);
    }
    views_.insert(native);
    g_object_set_data(G_OBJECT(native), kFollowedBy, this);
}

WebKitDownloads* WebKitDownloads::Following(WebKitWebView* view) {
    return static_cast<WebKitDownloads*>(g_object_get_data(G_OBJECT(view), kFollowedBy));
}

bool WebKitDownloads::AnyRunning() const {
    const bool engineRuns =
        std::any_of(downloads_.begin(), downloads_.end(), [](const auto& state) {
            return state->stage == Download::Stage::Running && !IsFetch(state->download);
        });
    return engineRuns || std::any_of(directDownloads_.begin(), directDownloads_.end(),
                                     [](const auto& direct) { return !direct->Ended(); });
}

// The engine may end a download from inside its cancel, which takes it off the list: the
// ones to cancel are chosen first, each held until it has been told. A fetch that the
// engine has not yet shown to be one is marked by now.
void WebKitDownloads::CancelAll() {
    std::vector<WebKitDownload*> chosen;
    for (const auto& state : downloads_) {
        if (state->stage == Download::Stage::Running && !IsFetch(state->download)) {
            chosen.push_back(static_cast<WebKitDownload*>(g_object_ref(state->download)));
        }
    }
    for (WebKitDownload* download : chosen) {
        const auto found =
            std::find_if(downloads_.begin(), downloads_.end(),
                         [download](const auto& state) { return state->download == download; });
        if (found != downloads_.end()) {
            (*found)->Cancel();
        }
        g_object_unref(download);
    }
    for (const auto& direct : directDownloads_) {
        direct->Cancel();
    }
}

void WebKitDownloads::DownloadDirectly(WebKitWebView* view, WebKitURIResponse* response) {
    directDownloads_.remove_if([](const auto& direct) { return direct->Ended(); });
    directDownloads_.push_back(DirectDownload::Start(view, response, makeTarget_()));
}

void WebKitDownloads::OnStarted(WebKitWebContext*, WebKitDownload* download, void* self) {
    auto* downloads = static_cast<WebKitDownloads*>(self);
    if (IsFetch(download)) {
        return;
    }
    downloads->WatchNetworkProcess();
    Download* state =
        downloads->downloads_
            .emplace_back(std::make_unique<Download>(downloads, download, downloads->makeTarget_()))
            .get();
    ConnectToDownload(download, "decide-destination", &Download::OnDecideDestination, state);
    ConnectToDownload(download, "received-data", &Download::OnReceivedData, state);
    ConnectToDownload(download, "failed", &Download::OnFailed, state);
    ConnectToDownload(download, "finished", &Download::OnFinished, state);
}

void WebKitDownloads::Forget(Download* download) {
    downloads_.remove_if([download](const auto& state) { return state.get() == download; });
}

// After a crash the engine starts a new network process for the next download.
void WebKitDownloads::WatchNetworkProcess() {
    if (!networkProcess_ || !networkProcess_->Watching()) {
        networkProcess_.emplace([this] { OnNetworkProcessEnded(); });
    }
}

// The engine would still cancel these downloads, on objects whose transfer it has
// dropped; so they are failed here and never handed back to it.
void WebKitDownloads::OnNetworkProcessEnded() {
    auto abandoned = std::move(downloads_);
    downloads_.clear();
    for (const auto& state : abandoned) {
        state->Abandon(Translated(kNetworkProcessEnded));
    }
}

}  // namespace quorvane
