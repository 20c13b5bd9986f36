#include "engine/engine_answer_watch.h"

namespace quorvane {

void EngineAnswerWatch::LoadAsked(const std::string& address, bool busy) {
    state_ = busy ? State::AwaitingLoadStart : State::Answered;
    address_ = address;
}

void EngineAnswerWatch::StopAsked(const std::string& shownAddress, bool loading) {
    // A Stop before the asked page has begun to load stops that page: it is the one shown
    // as stopped should the engine not answer.
    if (state_ == State::AwaitingLoadStart) {
        state_ = State::AwaitingStop;
        return;
    }
    if (loading) {
        state_ = State::AwaitingStop;
        address_ = shownAddress;
    }
}

void EngineAnswerWatch::LoadStarted() {
    if (state_ == State::AwaitingLoadStart) {
        state_ = State::Answered;
    }
}

void EngineAnswerWatch::LoadEnded() {
    if (state_ == State::AwaitingStop) {
        state_ = State::Answered;
    }
}

EngineAnswerWatch::Verdict EngineAnswerWatch::GraceOver() {
    const State state = state_;
    state_ = State::Answered;
    switch (state) {
        case State::AwaitingLoadStart:
            return {Remedy::RestartAndLoad, address_};
        case State::AwaitingStop:
            return {Remedy::RestartAndShowStopped, address_};
        case State::Answered:
            break;
    }
    return {};
}

}  // namespace quorvane
