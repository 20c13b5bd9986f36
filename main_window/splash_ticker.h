#pragma once

#include <cstdint>

namespace quorvane {

// The splash window's count of Timer2 ticks: intTemp grows by 2 a tick, and the 75th
// tick (intTemp 150) is the one that opens the main window.
class SplashTicker {
  public:
    static constexpr int kTimer2IntervalMs = 2;

    // Returns true on the tick that must open the main window: the caller disables
    // Timer2 first, so exactly one tick ever returns true.
    bool Tick() {
        intTemp = static_cast<std::int16_t>(intTemp + 2);
        return intTemp == 150;
    }
    std::int16_t Count() const { return intTemp; }

  private:
    std::int16_t intTemp = 0;
};

}  // namespace quorvane
