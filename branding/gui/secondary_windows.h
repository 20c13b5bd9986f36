#pragma once

#include <functional>
#include <memory>
#include <string>

#include "branding/side_windows.h"
#include "branding/website_request.h"

class wxWindow;

namespace quorvane {

// The Help, About and Website windows beside one main window. Each is loaded on
// demand and is at most once on screen; loading one that is loaded does nothing.
class SecondaryWindows : public SideWindows {
  public:
    // What the windows have to tell the user goes to showStatus (the main window's
    // status panel 1).
    using ShowStatus = std::function<void(const std::string& text)>;
    SecondaryWindows(wxWindow* mainWindow, ShowStatus showStatus);
    ~SecondaryWindows() override;
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    // SideWindows.
    std::string ReadShowHelpSetting() const override;
    void ShowHelp() override;
    void UnloadHelp() override;
    void ShowAbout() override;
    void RunWebsiteCommand() override;
    bool WebsiteWindowShown() const override;

    // Gives the Help window the focus when it is shown.
    void FocusHelp();
    // How the Website window opens addresses: the default browser unless replaced.
    void SetWebsiteLauncher(WebsiteLauncher launch);

  private:
    struct Windows;
    wxWindow* mainWindow_;
    ShowStatus showStatus_;
    std::unique_ptr<Windows> windows_;
};

}  // namespace quorvane
