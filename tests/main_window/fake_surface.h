#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main_window/commands.h"
#include "main_window/main_window_surface.h"
#include "tests/main_window/call_log.h"

namespace quorvane::testing {

// The main window without a display: it keeps the state of its controls, records every
// call that changes something in the shared log as "surface.<call>" or
// "surface.<call>(<argument>)", and runs the tab strip's Click and the window's unload
// through callbacks the test connects to the controller.
class FakeSurface : public MainWindowSurface {
  public:
    explicit FakeSurface(CallLog& log) : log_(log) {}

    // Connected by the test; the real window runs these itself.
    std::function<void()> tabStripClick;
    std::function<void()> unloadMainWindow;
    // Runs after every recorded call, so a test can look at the world at that moment.
    std::function<void(const std::string& call)> afterCall;

    // What the controls hold.
    std::string caption;
    std::string websiteCaption;
    int panelCount = 1;
    std::string address;
    std::string statusText;
    // What SetStatusText had a screen reader say, in order.
    std::vector<std::string> said;
    float progressMax = 100;
    float progressValue = 0;
    int selectedTab = 1;
    std::optional<std::string> fileToOpen;
    std::optional<std::string> folderToSaveImages;
    PictureConversion conversionToSaveImages;  // chosen with folderToSaveImages
    std::optional<std::string> fileToSaveSource;
    std::optional<std::string> fileToExportImageList;
    std::optional<RequestExportChoice> fileToExportRequests;
    std::string findStatus;

    void SetWindowIcon() override { Record("SetWindowIcon"); }
    void SetWebsiteCaptions(const std::string& website) override;
    void SetCaption(const std::string& text) override;
    int StatusPanelCount() const override { return panelCount; }
    void AddStatusPanel() override;
    std::string AddressText() const override { return address; }
    void SetAddressText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void SetEngineStatusText(const std::string& text) override;
    void SetProgress(float max, float value) override;
    int SelectedTab() const override { return selectedTab; }
    void SelectTab(int tab) override;
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<ImagesDestination> ChooseFolderToSaveImages(
        const std::string& startFolder) override;
    std::optional<std::string> ChooseFileToSaveSource(const std::string& folder,
                                                      const std::string& name) override;
    std::optional<std::string> ChooseFileToExportImageList(const std::string& folder,
                                                           const std::string& name) override;
    std::optional<RequestExportChoice> ChooseFileToExportRequests(const std::string& folder,
                                                                  const std::string& name) override;
    void SetFindStatus(const std::string& status) override;
    // Keeps the step until the test runs it.
    void CallSoon(std::function<void()> step) override { soon.push_back(std::move(step)); }
    // Runs the steps kept, and those they keep in turn; how many ran.
    int RunWhatCameSoon() {
        int ran = 0;
        while (!soon.empty()) {
            std::function<void()> step = std::move(soon.front());
            soon.erase(soon.begin());
            step();
            ++ran;
        }
        return ran;
    }
    std::vector<std::function<void()>> soon;
    void UnloadSplashWindow() override { Record("UnloadSplashWindow"); }
    void EndProcess() override { Record("EndProcess"); }
    void CloseMainWindow() override;
    void StartNewWindow(const std::string& address) override { Record("StartNewWindow", address); }

  private:
    void Record(const std::string& call, const std::string& argument = {}) const;

    CallLog& log_;
};

// The controls only the window has, recording every call as "window.<call>".
class FakeWindowControls : public WindowControls {
  public:
    explicit FakeWindowControls(CallLog& log) : log_(log) {}

    void OpenFindBar() override { log_.push_back("window.OpenFindBar"); }
    void FindNextOnBar() override { log_.push_back("window.FindNextOnBar"); }
    void FindPreviousOnBar() override { log_.push_back("window.FindPreviousOnBar"); }
    void FocusAddressBox() override { log_.push_back("window.FocusAddressBox"); }
    void ClickToolsMenuItem(ToolsMenuItem item) override {
        log_.push_back(item == ToolsMenuItem::Add ? "window.ClickToolsMenuItem(Add)"
                                                  : "window.ClickToolsMenuItem(Remove)");
    }
    bool ToolsMenuItemEnabled(ToolsMenuItem) const override { return true; }
    void GoToSourceLine() override { log_.push_back("window.GoToSourceLine"); }
    void FlipSourceSwitch(SourceSwitch which) override {
        log_.push_back("window.FlipSourceSwitch(" + std::to_string(static_cast<int>(which)) + ")");
    }
    bool SourceSwitchOn(SourceSwitch) const override { return false; }
    void ChooseSourceMode(SourceMode mode) override {
        log_.push_back("window.ChooseSourceMode(" + std::string(SourceModeName(mode)) + ")");
        mode_ = mode;
    }
    bool SourceModeChosen(SourceMode mode) const override { return mode == mode_; }
    void GoToChange(bool next) override {
        log_.push_back(next ? "window.GoToChange(next)" : "window.GoToChange(previous)");
    }
    void ReadPageAgain() override { log_.push_back("window.ReadPageAgain"); }
    void ShowKeyboardShortcuts() override { log_.push_back("window.ShowKeyboardShortcuts"); }

  private:
    CallLog& log_;
    SourceMode mode_ = SourceMode::AsServed;
};

}  // namespace quorvane::testing
