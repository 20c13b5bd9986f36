#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <wx/frame.h>
#include <wx/weakref.h>

#include "desktop/gui/idle_steps.h"
#include "desktop/ie_tools_menu.h"
#include "desktop/start_request.h"
#include "desktop/work_folder.h"
#include "engine/gui/webview_browser_element.h"
#include "main_window/commands.h"
#include "main_window/gui/image_list_controls.h"
#include "main_window/gui/request_list_controls.h"
#include "main_window/gui/twips_placer.h"
#include "main_window/layout.h"
#include "main_window/main_window_controller.h"
#include "main_window/main_window_surface.h"

class wxNotebook;
class wxPanel;
class wxTextCtrl;

namespace quorvane {

class CommandBinding;
class EncodingMenu;
class FindBar;
class ProgressStatusBar;
class SecondaryWindows;
class ServedSourceControls;
class ServedSourceView;
class ShortcutsWindow;
class ImageListView;
class RequestListView;
class ToolbarRow;
class WebKitDownloads;

// The main browser window: picture buttons, the address row, the tab strip over the
// three browser elements and the Original Source and Image List views, the status bar with its
// progress bar, and the six menus. The logic lives in MainWindowController; this class is its
// surface on wxWidgets, made of parts of its own (ToolbarRow, CommandBinding, ProgressStatusBar,
// ServedSourceControls, ImageListControls). Every button, menu item and shortcut runs its command
// from the table of Commands().
class MainFrame : public wxFrame, public MainWindowSurface, public WindowControls {
  public:
    // splash: the splash window that opened this one (closed when this one unloads).
    // workFolder: where the six work files live, owned by this window's run.
    MainFrame(wxWindow* splash, WorkFolder workFolder);
    ~MainFrame() override;

    // The window's Load. A failure throws and the caller ends start-up with its message.
    // startAddress: what the window loads first; its home page when empty. A person's start
    // hands the keyboard to the address box (or the Help window); a window opened from
    // another hands it to its page.
    void Load(const std::string& startAddress = {}, StartedBy startedBy = StartedBy::Person);

    MainWindowController& Controller() { return *controller_; }
    WebViewBrowserElement& Element(int index) { return *views_[index]; }

    // MainWindowSurface.
    void SetWindowIcon() override;
    void SetWebsiteCaptions(const std::string& website) override;
    void SetCaption(const std::string& caption) override;
    int StatusPanelCount() const override;
    void AddStatusPanel() override;
    void SetEngineStatusText(const std::string& text) override;
    std::string AddressText() const override;
    void SetAddressText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    // The frame's own, for a panel by number, stays callable beside it.
    using wxFrame::SetStatusText;
    void SetProgress(float max, float value) override;
    void CallSoon(std::function<void()> step) override;
    int SelectedTab() const override;
    void SelectTab(int tab) override;
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<ImagesDestination> ChooseFolderToSaveImages(
        const std::string& startFolder) override;
    std::optional<std::string> ChooseFileToSaveSource(const std::string& folder,
                                                      const std::string& name) override;
    std::optional<RequestExportChoice> ChooseFileToExportRequests(const std::string& folder,
                                                                  const std::string& name) override;
    std::optional<std::string> ChooseFileToExportImageList(const std::string& folder,
                                                           const std::string& name) override;
    void SetFindStatus(const std::string& status) override;
    void UnloadSplashWindow() override;
    void EndProcess() override;
    void CloseMainWindow() override;
    void StartNewWindow(const std::string& address) override;

    // WindowControls.
    void OpenFindBar() override;
    void FindNextOnBar() override;
    void FindPreviousOnBar() override;
    void FocusAddressBox() override;
    void ClickToolsMenuItem(ToolsMenuItem item) override;
    bool ToolsMenuItemEnabled(ToolsMenuItem item) const override;
    void GoToSourceLine() override;
    void FlipSourceSwitch(SourceSwitch which) override;
    bool SourceSwitchOn(SourceSwitch which) const override;
    void ChooseSourceMode(SourceMode mode) override;
    bool SourceModeChosen(SourceMode mode) const override;
    void GoToChange(bool next) override;
    void ReadPageAgain() override;
    void ShowKeyboardShortcuts() override;

    // The address box, for the tests of where the focus is.
    wxTextCtrl* AddressBox() const;
    FindBar* FindBarControl() const { return findBar_; }
    // The Keyboard Shortcuts window while it is open, else nullptr.
    ShortcutsWindow* ShortcutsWindowShown() const;
    // Where the Tools menu writes its entry: HKEY_LOCAL_MACHINE's store unless a test
    // gives another.
    void UseToolsMenuStore(RegistryStore store) { toolsMenuStore_ = std::move(store); }
    ServedSourceView& ServedSource();
    ServedSourceControls& ServedSourceParts() { return *servedSource_; }
    ImageListView& ImageList() { return *imageList_->View(); }
    const ImageListTable& ImageTable() const { return imageList_->Table(); }
    RequestListView& RequestList() { return *requestList_->View(); }

  private:
    void CreateTabStrip();
    void CreateInspectingViews();
    void FollowEngineDownloads();
    ViewElements CreateBrowserElements(BrowserEvents& events);
    void CreateFindBar();
    void OnAddressEnter();
    void FocusVisibleView();
    void FocusAtStart();
    void OnResize(wxSizeEvent& event);
    void OnClose(wxCloseEvent& event);
    void ApplyPlaces();

    WorkFolder workFolder_;
    wxWindow* splash_;
    TwipsPlacer placer_;
    MainWindowPlaces places_;

    wxPanel* panel_ = nullptr;
    wxNotebook* tabStrip_ = nullptr;
    FindBar* findBar_ = nullptr;
    wxWeakRef<ShortcutsWindow> shortcuts_;  // a child of this window while it is open
    std::unique_ptr<ToolbarRow> toolbar_;
    std::unique_ptr<ServedSourceControls> servedSource_;
    std::unique_ptr<ImageListControls> imageList_;
    std::unique_ptr<RequestListControls> requestList_;
    std::unique_ptr<ProgressStatusBar> statusBar_;
    std::unique_ptr<CommandBinding> commands_;
    std::unique_ptr<EncodingMenu> encodingMenu_;
    ToolsMenuItems toolsItems_;
    RegistryStore toolsMenuStore_ = RegistryStore::ForRoot(RootKey::LocalMachine);
    bool unloaded_ = false;
    // Gone after everything that may post a step, and no step runs while they go.
    IdleSteps idleSteps_;

    // Destroyed from the last: the downloads go while everything they report to is
    // there, then the controller while the elements it uses are, and nothing raises an
    // event while it goes.
    std::unique_ptr<SecondaryWindows> secondary_;
    std::array<std::unique_ptr<WebViewBrowserElement>, 3> views_;
    std::unique_ptr<MainWindowController> controller_;
    std::unique_ptr<WebKitDownloads> downloads_;
};

}  // namespace quorvane
