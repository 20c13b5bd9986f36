#pragma once

#include <string>

namespace quorvane {

// Whether a view's engine answers when the user asks it for a new page or to stop. An
// engine busy with a hostile page (tens of thousands of pictures) may not begin a new
// load, or end the one it has, for minutes; the user must get the view back at once.
// The view starts a short grace with each request and feeds the engine's answers in;
// when the grace runs out unanswered, the watch says what the view must do instead: end
// that engine process and load the page in a fresh one, or show the stopped page's
// address with nothing loading. It knows no engine and no clock, so it can serve any view.
class EngineAnswerWatch {
  public:
    enum class State {
        Answered,           // nothing asked that the engine has yet to answer
        AwaitingLoadStart,  // a page was asked for and its load has not begun
        AwaitingStop,       // Stop was asked during a load that has not ended
    };
    enum class Remedy {
        None,                   // the engine answered in time
        RestartAndLoad,         // a fresh engine process loads address
        RestartAndShowStopped,  // a fresh engine process shows address as stopped
    };
    struct Verdict {
        Remedy remedy = Remedy::None;
        std::string address;
        bool operator==(const Verdict&) const = default;
    };

    State Current() const { return state_; }

    // A page was asked for while the engine was still loading another (busy), or not: a
    // busy engine must begin the new load within the grace. An idle engine is not
    // watched, so that a slow start on a loaded machine never costs a restart.
    void LoadAsked(const std::string& address, bool busy);
    // Stop was asked while the view showed shownAddress; only a load that is on has
    // anything to end.
    void StopAsked(const std::string& shownAddress, bool loading);
    // The engine began a load.
    void LoadStarted();
    // The engine ended a load, however it ended. A load that ends while a new one waits
    // to begin is the old one, cut short by the new request: the wait goes on.
    void LoadEnded();
    // The grace since the last request is over.
    Verdict GraceOver();

  private:
    State state_ = State::Answered;
    std::string address_;
};

}  // namespace quorvane
