#pragma once

#include <chrono>
#include <deque>

namespace quorvane {

// How many windows a page may open: a few a minute, so that no page can flood the
// desktop with copies of the program. Windows the user asks for do not count.
class WindowOpeningLimit {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kWindowsPerMinute = 3;

    // Whether a page may open a window at now; a window allowed counts from then on.
    bool Allow(Clock::time_point now);

  private:
    std::deque<Clock::time_point> opened_;
};

}  // namespace quorvane
