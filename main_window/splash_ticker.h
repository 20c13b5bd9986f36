#pragma once

#include <cstdint>

namespace quorvane {

// The splash window's count of its timer's ticks: the count grows by 2 a tick, and the
// 75th tick (count 150) is the one that opens the main window.
class SplashTicker {
  public:
    static constexpr int kTickIntervalMs = 2;

    // Returns true on the tick that must open the main window: the caller stops
    // the timer first, so exactly one tick ever returns true.
    bool Tick() {
        count_ = static_cast<std::int16_t>(count_ + 2);
        return count_ == 150;
    }
    std::int16_t Count() const { return count_; }

  private:
    std::int16_t count_ = 0;
};

}  // namespace quorvane
