#include "main_window/window_opening_limit.h"

namespace quorvane {

bool WindowOpeningLimit::Allow(Clock::time_point now) {
    while (!opened_.empty() && now - opened_.front() >= std::chrono::minutes(1)) {
        opened_.pop_front();
    }
    if (opened_.size() >= kWindowsPerMinute) {
        return false;
    }
    opened_.push_back(now);
    return true;
}

}  // namespace quorvane
