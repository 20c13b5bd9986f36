#pragma once

#include <memory>
#include <string>

#include "branding/website_request.h"

class wxWindow;

namespace quorvane {

// The Help, About and Website windows beside one main window. Each is loaded on
// demand and is at most once on screen; loading one that is loaded does nothing.
class SecondaryWindows {
  public:
    explicit SecondaryWindows(wxWindow* mainWindow);
    ~SecondaryWindows();
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    // The value of "showHelp" in section "Settings", "1" when absent.
    std::string ReadShowHelpSetting() const;
    void ShowHelp();
    // Gives the Help window the focus when it is shown.
    void FocusHelp();
    void UnloadHelp();
    void ShowAbout();
    // The website command: strWebsiteRequest = "Website", then load the Website window.
    void RunWebsiteCommand();
    // True while the Website window is loaded (it closes itself within a second).
    bool WebsiteWindowShown() const;
    // How the Website window opens addresses: the default browser unless replaced.
    void SetWebsiteLauncher(WebsiteLauncher launch);

  private:
    struct Windows;
    wxWindow* mainWindow_;
    std::unique_ptr<Windows> windows_;
};

}  // namespace quorvane
