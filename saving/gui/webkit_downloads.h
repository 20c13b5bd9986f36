#pragma once

#include <list>
#include <memory>
#include <set>
#include <string>

#include "saving/file_fetcher.h"
#include "saving/transfer_report.h"

class wxWebView;
typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The handler of a view's "decide-policy": a response the engine cannot show, or that
// the server marks as an attachment, becomes a download. Every other decision is left
// to the engine.
int DownloadWhatCannotBeShown(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              void* unused);

// Every download the engine starts for the views (a link to an archive, a file the
// engine cannot show, the context menu's "Download Linked File") goes to the user's
// download folder under the server's suggested name, never over a file that is there,
// written to a partial file and named when complete. The progress bar follows it and
// status panel 1 says where it went or what went wrong; a failed or cancelled download
// leaves no file behind.
class WebKitDownloads {
  public:
    explicit WebKitDownloads(TransferReport& report);
    // Cancels the downloads still running; their partial files go.
    ~WebKitDownloads();
    WebKitDownloads(const WebKitDownloads&) = delete;
    WebKitDownloads& operator=(const WebKitDownloads&) = delete;

    // Takes the downloads of view's engine context (each context once).
    void Follow(wxWebView* view);

  private:
    struct Download;
    static void OnStarted(WebKitWebContext* context, WebKitDownload* download, void* self);
    void Forget(Download* download);

    TransferReport& report_;
    std::set<WebKitWebContext*> contexts_;
    std::list<std::unique_ptr<Download>> downloads_;
};

// The fetches of one view for "Save Images…": downloads of the view's engine, with its
// cookies and session, into files that the caller chose. WebKitDownloads leaves them
// alone.
class EngineFetches {
  public:
    explicit EngineFetches(WebKitWebView* view);
    // Cancels the fetches still running; their done never runs.
    ~EngineFetches();
    EngineFetches(const EngineFetches&) = delete;
    EngineFetches& operator=(const EngineFetches&) = delete;

    void Fetch(const std::string& address, const std::string& filePath,
               FileFetcher::FetchDone done);
    void CancelAll();

  private:
    struct Pending;
    void Finish(Pending* fetch);

    WebKitWebView* view_;
    std::list<std::unique_ptr<Pending>> fetches_;
};

}  // namespace quorvane
