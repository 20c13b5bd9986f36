#pragma once

#include <list>
#include <memory>
#include <optional>
#include <string>

#include "engine/file_fetcher.h"
#include "engine/gui/network_process_watch.h"

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The fetches of one view for "Save Images…": downloads of the view's engine, with its
// cookies and session, into files that the caller chose. WebKitDownloads leaves them
// alone. A fetch cut off by the end of the engine's network process fails.
class EngineFetches {
  public:
    explicit EngineFetches(WebKitWebView* view);
    // Cancels the fetches still running; their done never runs.
    ~EngineFetches();
    EngineFetches(const EngineFetches&) = delete;
    EngineFetches& operator=(const EngineFetches&) = delete;

    // The caller names each fetch, to cancel it alone.
    void Fetch(FileFetcher::FetchId id, const std::string& address, const std::string& filePath,
               FileFetcher::FetchDone done);
    void Cancel(FileFetcher::FetchId id);
    void CancelAll();

  private:
    struct Pending;
    void Finish(Pending* fetch);
    void OnNetworkProcessEnded();

    WebKitWebView* view_;
    std::list<std::unique_ptr<Pending>> fetches_;
    std::optional<NetworkProcessWatch> networkProcess_;
};

}  // namespace quorvane
