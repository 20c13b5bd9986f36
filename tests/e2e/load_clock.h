#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "main_window/gui/main_frame.h"

class wxWebView;
class wxWebViewEvent;

namespace quorvane::test {

// When the Browser view finished loading a page, and when each generated view finished
// loading its file after that: the clock of "the views follow the Browser view". It
// listens to the elements' own load ends, so waiting on it reads no file.
class LoadClock {
  public:
    using Clock = std::chrono::steady_clock;

    // addresses: what elements 0, 1 and 2 are expected to end loading.
    LoadClock(MainFrame& frame, std::array<std::string, 3> addresses);
    ~LoadClock();
    LoadClock(const LoadClock&) = delete;
    LoadClock& operator=(const LoadClock&) = delete;

    bool BrowserViewLoaded() const { return ended_[0].has_value(); }
    bool BothViewsLoaded() const { return ended_[1] && ended_[2]; }
    bool Loaded(int index) const { return ended_[index].has_value(); }
    Clock::time_point End(int index) const { return *ended_[index]; }

  private:
    void OnLoaded(wxWebViewEvent& event);

    std::array<wxWebView*, 3> windows_{};
    std::array<std::string, 3> addresses_;
    std::array<std::optional<Clock::time_point>, 3> ended_;
};

}  // namespace quorvane::test
