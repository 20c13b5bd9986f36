#pragma once

#include <deque>
#include <functional>

namespace quorvane {

// Runs steps once the window's loop has nothing more urgent to do: input, timers, layout
// and drawing go first. wxWidgets' CallAfter runs a step that an earlier step queued in
// the same pass, so a long task cut into slices that way would hold the window until its
// last slice; here the steps a step queues wait for the loop's next turn.
class IdleSteps {
  public:
    IdleSteps() = default;
    // The steps not run yet are dropped.
    ~IdleSteps();
    IdleSteps(const IdleSteps&) = delete;
    IdleSteps& operator=(const IdleSteps&) = delete;

    // A step may post more steps, but must not destroy this object.
    void Post(std::function<void()> step);

  private:
    static int OnIdle(void* self);
    bool RunWaitingSteps();

    std::deque<std::function<void()>> steps_;
    unsigned source_ = 0;  // the loop's idle source while steps wait
};

}  // namespace quorvane
