#pragma once

#include <wx/timer.h>

#include <algorithm>
#include <chrono>

namespace quorvane::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The longest time the window's event loop went without running a timer that is due every
// two milliseconds: how long the program could not have answered its user.
class StallMeter : public wxTimer {
  public:
    StallMeter() : last_(Clock::now()) { Start(kPeriodMs); }
    void Notify() override { Tick(); }
    double LongestMs() {
        Tick();
        return std::max(0.0, Milliseconds(longest_) - kPeriodMs);
    }

  private:
    static constexpr int kPeriodMs = 2;

    void Tick() {
        const auto now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    Clock::time_point last_;
    Clock::duration longest_{};
};

}  // namespace quorvane::bench
