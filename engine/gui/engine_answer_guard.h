#pragma once

#include <wx/timer.h>

#include <functional>
#include <string>

#include "engine/engine_answer_watch.h"

typedef struct _WebKitWebView WebKitWebView;

namespace quorvane {

// Gives the user a view back from an engine that does not answer: a new page asked for,
// or Stop, starts a short grace; when the engine has not begun the new load (or ended the
// stopped one) by then, its process is ended and a fresh one loads the page, or shows the
// stopped page's address with nothing loaded. The view tells it what was asked and what
// the engine did.
class EngineAnswerGuard {
  public:
    // showStopped: shows address as a stopped page, with nothing of it loaded, in the
    // fresh engine process.
    using ShowStopped = std::function<void(const std::string& address)>;
    EngineAnswerGuard(WebKitWebView* view, ShowStopped showStopped);
    EngineAnswerGuard(const EngineAnswerGuard&) = delete;
    EngineAnswerGuard& operator=(const EngineAnswerGuard&) = delete;

    void LoadAsked(const std::string& address);
    void StopAsked();
    // The engine's load-changed event.
    void LoadChanged(int loadEvent);

  private:
    void OnGraceOver();

    WebKitWebView* view_;
    EngineAnswerWatch watch_;
    ShowStopped showStopped_;
    wxTimer grace_;
};

}  // namespace quorvane
