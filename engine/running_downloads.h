#pragma once

namespace quorvane {

// The downloads running for a window's views, as the window's logic sees them: Stop and
// "Cancel Download" cancel them, and nothing else (the fetches of "Save Images…" and of
// the Image List are no downloads). WebKitDownloads implements it.
class RunningDownloads {
  public:
    virtual ~RunningDownloads() = default;
    virtual bool AnyRunning() const = 0;
    // Cancels every download running: each removes its partial files and says
    // "Download of archive.zip cancelled".
    virtual void CancelAll() = 0;
};

}  // namespace quorvane
