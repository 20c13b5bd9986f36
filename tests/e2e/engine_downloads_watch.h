#pragma once

#include <set>

#include "main_window/gui/main_frame.h"

typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitWebContext WebKitWebContext;

namespace quorvane::test {

// The engine's downloads from the moment the watch is made (those the program's fetches
// begin too): how many the engine began, and how many of those it has ended. It ends each
// with "finished", a failed or cancelled one too, and writes nothing more for it after.
class EngineDownloadsWatch {
  public:
    explicit EngineDownloadsWatch(MainFrame& frame);
    ~EngineDownloadsWatch();
    EngineDownloadsWatch(const EngineDownloadsWatch&) = delete;
    EngineDownloadsWatch& operator=(const EngineDownloadsWatch&) = delete;

    int Started() const { return started_; }
    int Ended() const { return started_ - static_cast<int>(running_.size()); }

  private:
    static void OnStarted(WebKitWebContext*, WebKitDownload* download, void* self);
    static void OnFinished(WebKitDownload* download, void* self);

    std::set<WebKitWebContext*> contexts_;
    std::set<WebKitDownload*> running_;  // each a reference of the watch's own
    int started_ = 0;
};

}  // namespace quorvane::test
