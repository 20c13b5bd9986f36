#include "engine/gui/engine_answer_guard.h"

#include <signal.h>
#include <webkit2/webkit2.h>

#include <utility>

#include "engine/child_processes.h"

namespace quorvane {
namespace {

// Long enough for a loaded machine to begin a load, short enough that the user has the
// view back within two seconds of asking.
constexpr int kAnswerGraceMs = 750;

}  // namespace

EngineAnswerGuard::EngineAnswerGuard(WebKitWebView* view, ShowStopped showStopped)
    : view_(view), showStopped_(std::move(showStopped)) {
    grace_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnGraceOver(); });
}

void EngineAnswerGuard::LoadAsked(const std::string& address) {
    watch_.LoadAsked(address, webkit_web_view_is_loading(view_) != FALSE);
    if (watch_.Current() != EngineAnswerWatch::State::Answered) {
        grace_.StartOnce(kAnswerGraceMs);
    }
}

void EngineAnswerGuard::StopAsked() {
    const gchar* uri = webkit_web_view_get_uri(view_);
    watch_.StopAsked(uri != nullptr ? uri : "", webkit_web_view_is_loading(view_) != FALSE);
    if (watch_.Current() != EngineAnswerWatch::State::Answered) {
        grace_.StartOnce(kAnswerGraceMs);
    }
}

void EngineAnswerGuard::LoadChanged(int loadEvent) {
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        watch_.LoadStarted();
    } else if (loadEvent == WEBKIT_LOAD_FINISHED) {
        watch_.LoadEnded();
    }
    if (watch_.Current() == EngineAnswerWatch::State::Answered) {
        grace_.Stop();
    }
}

void EngineAnswerGuard::OnGraceOver() {
    const EngineAnswerWatch::Verdict verdict = watch_.GraceOver();
    if (verdict.remedy == EngineAnswerWatch::Remedy::None) {
        return;
    }
    // The page's process is ended, and with it the network process, which still holds
    // every load the page asked for and would keep the next page's request behind them
    // for minutes. The engine starts both afresh; the other views lose only loads under
    // way, and the session's cookies go with the network process.
    webkit_web_view_terminate_web_process(view_);
    for (pid_t network : ChildProcessesNamed(kNetworkProcessName)) {
        kill(network, SIGKILL);
    }
    if (verdict.remedy == EngineAnswerWatch::Remedy::RestartAndLoad) {
        webkit_web_view_load_uri(view_, verdict.address.c_str());
    } else {
        showStopped_(verdict.address);
    }
}

}  // namespace quorvane
