#pragma once

#include <wx/timer.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/load_failure.h"

typedef struct _GError GError;
typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

class EngineAnswerGuard;

// The Browser view's pages of its own, shown at an address in place of the page asked
// for there: a page that could not be opened gets one that says why, and a page that
// keeps the engine from answering a new address or Stop is ended by the guard and shown
// as stopped. A server that takes the connection and never answers is given up after a
// while, with a page that says so. The view tells it what the user asked for and what the
// engine did.
class OwnPages {
  public:
    // loadingAddress: the address the view is loading, which the engine may not name yet.
    OwnPages(WebKitWebView* view, std::function<std::string()> loadingAddress);
    ~OwnPages();
    OwnPages(const OwnPages&) = delete;
    OwnPages& operator=(const OwnPages&) = delete;

    void LoadAsked(const std::string& address);
    void StopAsked();
    // The engine's load-changed event, every one of them.
    void LoadChanged(int loadEvent);
    // A load of the view's own begins: a page of ours on its way is no longer coming.
    void LoadBegins() { coming_.reset(); }
    // A new document is in place: a page of ours, or the site's, or the empty page the
    // engine puts in place of a load it refused.
    void Committed();
    // What panel 1 says of the page of ours shown now; "" when the page is the site's.
    const std::string& Status() const { return shown_; }

  private:
    static int OnLoadFailed(WebKitWebView* view, int loadEvent, const char* failingUri,
                            GError* error, void* self);
    // Shows the error page of failure at uri.
    void ShowFailure(const std::string& uri, const LoadError& failure);
    // The load under way has had no answer from its server in time.
    void GiveUpWaiting();
    // Shows html at uri in place of the page asked for there; status is what panel 1
    // says of it.
    void Show(const std::string& uri, const std::string& html, const std::string& status);

    WebKitWebView* view_;
    std::function<std::string()> loadingAddress_;
    // From a load's start, or its latest redirect, until its server answers.
    wxTimer answerWait_;
    // A page that keeps the engine from answering costs the user no more than a moment.
    std::unique_ptr<EngineAnswerGuard> answerGuard_;
    // The page of our own shown now, and the one on its way.
    std::string shown_;
    std::optional<std::string> coming_;
    std::string started_;  // the address of the load that started last
};

}  // namespace quorvane
