#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include <wx/frame.h>

#include "desktop/ie_tools_menu.h"
#include "desktop/work_folder.h"
#include "main_window/gui/webview_browser_element.h"
#include "main_window/layout.h"
#include "main_window/main_window_controller.h"
#include "main_window/main_window_surface.h"

class wxBitmapBundle;
class wxButton;
class wxGauge;
class wxMenu;
class wxMenuBar;
class wxMenuItem;
class wxNotebook;
class wxPanel;
class wxStatusBar;
class wxTextCtrl;

namespace quorvane {

class FindBar;
class SecondaryWindows;
class WebKitDownloads;

// The main browser window: picture buttons, the address row, the tab strip over the
// three browser elements, the status bar with its progress bar, and the six menus.
// The logic lives in MainWindowController; this class is its surface on wxWidgets.
class Form1 : public wxFrame, public MainWindowSurface {
  public:
    // splash: the splash window that opened this one (closed when this one unloads).
    // workFolder: where the six work files live, owned by this window's run.
    Form1(wxWindow* splash, WorkFolder workFolder);
    ~Form1() override;

    // The window's Load. A failure throws and the caller ends start-up with its message.
    void Load();

    MainWindowController& Controller() { return *controller_; }
    WebViewBrowserElement& Element(int index) { return *wb_[index]; }

    // MainWindowSurface.
    void SetWindowIcon() override;
    void SetWebsiteCaptions(const std::string& website) override;
    void SetCaption(const std::string& caption) override;
    std::string ReadShowHelpSetting() override;
    void ShowHelpWindow() override;
    int StatusPanelCount() const override;
    void AddStatusPanel() override;
    std::string AddressText() const override;
    void SetAddressText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    float ProgressMax() const override { return progressMax_; }
    float ProgressValue() const override { return progressValue_; }
    void SetProgress(float max, float value) override;
    int SelectedTab() const override;
    void SelectTab(int tab) override;
    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<std::string> ChooseFolderToSaveImages(const std::string& startFolder) override;
    void SetFindStatus(const std::string& status) override;
    void RunWebsiteCommand() override;
    void UnloadHelpWindow() override;
    void UnloadSplashWindow() override;
    bool WebsiteWindowShown() const override;
    void EndProcess() override;
    void CloseMainWindow() override;

    // The address box, for the tests of where the focus is.
    wxTextCtrl* AddressBox() const { return txtUrl_; }
    FindBar* FindBarControl() const { return findBar_; }

  private:
    class EventRelay;

    void CreateButtons();
    void CreateAddressRow();
    void CreateTabStrip();
    void CreateBrowserElements();
    void CreateStatusBar();
    void CreateFindBar();
    void CreateMenus();
    void AddFindAndZoomItems(wxMenu* view);
    void BindShortcuts();
    void FocusVisibleView();
    void FocusAtStart();
    wxButton* AddPictureButton(const wxString& caption, const wxString& tooltip,
                               const wxBitmapBundle& picture, const TwipsRect& place);

    void OnResize(wxSizeEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnToolsMenu(int index);

    // Twips to pixels at the display's resolution: the one conversion of this window.
    int Px(float twips) const;
    float Twips(int pixels) const;
    void Place(wxWindow* control, const TwipsRect& place) const;
    void ApplyPlaces();

    WorkFolder workFolder_;
    wxWindow* splash_;
    int dotsPerInch_;
    MainWindowPlaces places_;

    wxPanel* panel_ = nullptr;
    wxButton* cmbBack_ = nullptr;
    wxButton* cmdForward_ = nullptr;
    wxButton* cmdStop_ = nullptr;
    wxButton* cmdRefresh_ = nullptr;
    wxButton* cmdBackDir_ = nullptr;
    wxButton* Command1_ = nullptr;
    wxButton* cmdWebsite_ = nullptr;
    wxButton* cmdGo_ = nullptr;
    wxTextCtrl* txtUrl_ = nullptr;
    wxNotebook* TabStrip1_ = nullptr;
    wxStatusBar* sb1_ = nullptr;
    wxGauge* pb1_ = nullptr;
    FindBar* findBar_ = nullptr;
    wxMenuItem* viewWebsiteItem_ = nullptr;
    wxMenuItem* toolsAddItem_ = nullptr;
    wxMenuItem* toolsRemoveItem_ = nullptr;
    wxMenuItem* zoomInItem_ = nullptr;
    wxMenuItem* zoomOutItem_ = nullptr;
    wxMenuItem* actualSizeItem_ = nullptr;
    float progressMax_ = 100;
    float progressValue_ = 0;
    ToolsMenuItems toolsItems_;
    bool unloaded_ = false;

    std::unique_ptr<EventRelay> relay_;
    std::array<std::unique_ptr<WebViewBrowserElement>, 3> wb_;
    std::unique_ptr<WebKitDownloads> downloads_;
    std::unique_ptr<SecondaryWindows> secondary_;
    std::unique_ptr<MainWindowController> controller_;
};

}  // namespace quorvane
