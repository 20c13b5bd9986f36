#pragma once

#include <string>

namespace quorvane {

// The Help, About and Website windows beside the main window, as the main window's logic
// uses them. SecondaryWindows implements it on wxWidgets; tests use a recording fake.
class SideWindows {
  public:
    virtual ~SideWindows() = default;

    // The value of "showHelp" in section "Settings", "1" when absent.
    virtual std::string ReadShowHelpSetting() const = 0;
    virtual void ShowHelp() = 0;
    virtual void UnloadHelp() = 0;
    virtual void ShowAbout() = 0;
    // The website command: websiteRequest = "Website", then load the Website window.
    virtual void RunWebsiteCommand() = 0;
    // True while the Website window is loaded (it closes itself within a second).
    virtual bool WebsiteWindowShown() const = 0;
};

}  // namespace quorvane
