#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/download_target.h"

typedef struct _WebKitURIResponse WebKitURIResponse;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// The file name a server suggests in its Content-Disposition header, decoded; nullopt
// when it suggests none. Read without the call that the engine's network process makes,
// which ends that process on a name holding "/" (libsoup 2.74 frees a pointer into the
// middle of the name), cutting off every other load.
std::optional<std::string> SuggestedFileName(WebKitURIResponse* response);

// Whether the engine's own download of the response would end its network process.
bool EngineCannotDownload(WebKitURIResponse* response);

// A download the program fetches itself, outside the engine, with the view's cookies
// and user agent: the address is asked for again and written into the file its target
// chooses for the suggested name, as the engine's downloads are; the target says how it
// went.
class DirectDownload : public std::enable_shared_from_this<DirectDownload> {
  public:
    struct Transfer;

    // Starts the download of the response's address; it holds itself until it ends.
    static std::shared_ptr<DirectDownload> Start(WebKitWebView* view, WebKitURIResponse* response,
                                                 std::unique_ptr<DownloadTarget> target);
    explicit DirectDownload(std::unique_ptr<Transfer> transfer);
    ~DirectDownload();
    DirectDownload(const DirectDownload&) = delete;
    DirectDownload& operator=(const DirectDownload&) = delete;

    // Stops the download at once and lets go of its target, which says nothing more.
    void Abandon();
    // Stops the download at once and tells its target it was cancelled.
    void Cancel();
    bool Ended() const;

  private:
    void Fail(const std::string& why);
    void Finish(long long received);
    static void OnCookies(void* source, void* result, void* self);
    static void OnSent(void* source, void* result, void* self);
    static void OnSpliced(void* source, void* result, void* self);

    std::unique_ptr<Transfer> transfer_;
};

}  // namespace quorvane
