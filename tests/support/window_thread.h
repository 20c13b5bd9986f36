#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace quorvane::testing {

// The window's thread as a test sees it: steps a worker posts wait here until the test
// runs them, and the test waits for the worker's signals rather than the clock.
class WindowThread {
  public:
    void Post(std::function<void()> step) {
        const std::lock_guard lock(mutex_);
        steps_.push_back(std::move(step));
        ++posted_;
        changed_.notify_all();
    }
    // How many steps were ever posted.
    std::size_t Posted() {
        const std::lock_guard lock(mutex_);
        return posted_;
    }
    // Waits, running nothing, until count steps were ever posted.
    void WaitUntilPosted(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return posted_ >= count; });
    }
    // Runs count steps, waiting for each that has not come yet.
    void RunSteps(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            std::function<void()> step;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !steps_.empty(); });
                step = std::move(steps_.front());
                steps_.pop_front();
            }
            step();
        }
    }
    // Runs the steps posted until now; how many ran.
    std::size_t RunPostedSteps() {
        std::deque<std::function<void()>> steps;
        {
            const std::lock_guard lock(mutex_);
            steps.swap(steps_);
        }
        for (const auto& step : steps) {
            step();
        }
        return steps.size();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> steps_;
    std::size_t posted_ = 0;
};

}  // namespace quorvane::testing
