#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/resource_copies.h"

typedef struct _GCancellable GCancellable;
typedef struct _WebKitURIRequest WebKitURIRequest;
typedef struct _WebKitWebResource WebKitWebResource;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Keeps a handle on each file the view's shown page loads, in any of its frames, by the
// address it was asked for, so that its bytes can be read from the engine's memory. A new
// page forgets the one before.
class EngineResourceCopies {
  public:
    // A page may ask for any number of files: the first kMaxKept are kept, the others are
    // never read from the engine.
    static constexpr std::size_t kMaxKept = 50'000;
    // The bound on the kept addresses' bytes; a longer address (a data: picture) is never
    // kept, as its own bytes say what it is.
    static constexpr std::size_t kMaxAddressBytes = 4096;
    static constexpr std::size_t kMaxKeptAddressBytes = 16 * 1024 * 1024;
    // A web file announced as larger, or of a length not announced, is not copied into the
    // program's memory.
    static constexpr std::uint64_t kMaxCopyBytes = 64 * 1024 * 1024;

    explicit EngineResourceCopies(WebKitWebView* view);
    // Reads still running are cancelled and never answer.
    ~EngineResourceCopies();
    EngineResourceCopies(const EngineResourceCopies&) = delete;
    EngineResourceCopies& operator=(const EngineResourceCopies&) = delete;

    void Read(const std::string& address, ResourceCopies::CopyDone done);
    void AwaitLoad(const std::string& address, std::chrono::milliseconds wait,
                   ResourceCopies::LoadEnded ended);

  private:
    class LoadWait;

    static void OnResourceLoadStarted(WebKitWebView* view, WebKitWebResource* resource,
                                      WebKitURIRequest* request, void* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, void* self);
    static int OnReleaseTurn(void* self);
    void Forget();
    // Lets go of the page before's files a slice at a time; whether some are left.
    bool ReleaseSlice();

    WebKitWebView* view_;                                       // held, as the window may go first
    std::unordered_map<std::string, WebKitWebResource*> kept_;  // a reference of our own each
    std::size_t keptAddressBytes_ = 0;
    std::vector<WebKitWebResource*> releasing_;  // of pages before, a reference each
    unsigned releaseSource_ = 0;                 // the loop's idle source while some are
    GCancellable* reads_;
    // At most kMaxKept, each ending within its wait.
    std::unordered_map<const LoadWait*, std::unique_ptr<LoadWait>> waits_;
};

}  // namespace quorvane
