#pragma once

#include <functional>
#include <optional>
#include <string>

#include "branding/side_windows.h"
#include "tests/main_window/call_log.h"

namespace quorvane::testing {

// The Help, About and Website windows without a display: every call is recorded in the
// shared log as "windows.<call>", and what they answer is set by the test.
class FakeSideWindows : public SideWindows {
  public:
    explicit FakeSideWindows(CallLog& log) : log_(log) {}

    // Runs after every recorded call, so a test can look at the world at that moment.
    std::function<void(const std::string& call)> afterCall;

    std::optional<std::string> showHelpSetting;  // nullopt: never stored
    bool websiteWindowShown = false;

    std::string ReadShowHelpSetting() const override {
        Record("ReadShowHelpSetting");
        return showHelpSetting.value_or("1");
    }
    void ShowHelp() override { Record("ShowHelp"); }
    void UnloadHelp() override { Record("UnloadHelp"); }
    void ShowAbout() override { Record("ShowAbout"); }
    void RunWebsiteCommand() override { Record("RunWebsiteCommand"); }
    bool WebsiteWindowShown() const override { return websiteWindowShown; }

  private:
    void Record(const std::string& call) const {
        log_.push_back("windows." + call);
        if (afterCall) {
            afterCall(log_.back());
        }
    }

    CallLog& log_;
};

}  // namespace quorvane::testing
