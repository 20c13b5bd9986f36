#pragma once

#include "engine/archive_copies.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Follows the Browser view's loads for a page saved whole (MHTML): once one commits, its
// archive's bytes are read from the engine's memory as the load ends, and its files are
// fetched from them, and read when the engine kept no copy (ArchiveCopies), until the next
// page starts.
class EngineArchiveReader {
  public:
    explicit EngineArchiveReader(WebKitWebView* view);
    // A read of the archive still running is cancelled and never answers.
    ~EngineArchiveReader();
    EngineArchiveReader(const EngineArchiveReader&) = delete;
    EngineArchiveReader& operator=(const EngineArchiveReader&) = delete;

    // The shown archive's files; they answer while it ShowsArchive.
    ArchiveCopies& Copies() { return copies_; }

  private:
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    void ReadArchive();

    WebKitWebView* view_;  // held, as the window may go first
    GCancellable* reads_;
    ArchiveCopies copies_;
};

}  // namespace quorvane
