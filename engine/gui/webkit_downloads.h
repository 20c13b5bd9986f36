#pragma once

#include <list>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "engine/download_target.h"
#include "engine/gui/direct_download.h"
#include "engine/gui/network_process_watch.h"
#include "engine/running_downloads.h"

class wxWebView;
typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _WebKitURIResponse WebKitURIResponse;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The handler of a view's "decide-policy": a response the engine cannot show, or that
// the server marks as an attachment, becomes a download (made outside the engine when
// the engine cannot make it). Every other decision is left to the engine.
int DownloadWhatCannotBeShown(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              void* unused);

// Every download the engine starts for the views (a link to an archive, a file the
// engine cannot show, the context menu's "Download Linked File") goes to a target of its
// own, which chooses its file and says how it went. A download that is no whole file
// fails: an error page the server answered, a connection that closed early, the end of
// the engine's network process; the engine's partial file goes with a failed or cancelled
// one. The fetches of "Save Images…" and the Image List are the engine's downloads too,
// and left alone: cancelling the downloads never cancels them.
class WebKitDownloads : public RunningDownloads {
  public:
    explicit WebKitDownloads(MakeDownloadTarget makeTarget);
    // Cancels the downloads still running; their partial files go.
    ~WebKitDownloads() override;
    WebKitDownloads(const WebKitDownloads&) = delete;
    WebKitDownloads& operator=(const WebKitDownloads&) = delete;

    // Takes the downloads of view's engine context (each context once), and the
    // downloads the view asks for that the engine cannot make.
    void Follow(wxWebView* view);
    // The downloads that follow view, if any.
    static WebKitDownloads* Following(WebKitWebView* view);

    // Downloads the response's file outside the engine.
    void DownloadDirectly(WebKitWebView* view, WebKitURIResponse* response);

    // RunningDownloads.
    bool AnyRunning() const override;
    void CancelAll() override;

  private:
    struct Download;
    static void OnStarted(WebKitWebContext* context, WebKitDownload* download, void* self);
    void Forget(Download* download);
    void WatchNetworkProcess();
    void OnNetworkProcessEnded();

    MakeDownloadTarget makeTarget_;
    std::set<WebKitWebContext*> contexts_;
    std::set<WebKitWebView*> views_;
    std::list<std::unique_ptr<Download>> downloads_;
    std::list<std::shared_ptr<DirectDownload>> directDownloads_;
    std::optional<NetworkProcessWatch> networkProcess_;
};

}  // namespace quorvane
