#include "main_window/gui/main_frame.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "branding/branding_values.h"
#include "branding/gui/secondary_windows.h"
#include "desktop/gui/button_pictures.h"
#include "desktop/gui/status_bar.h"
#include "desktop/gui/tab_strip.h"
#include "desktop/gui/twips_size.h"
#include "desktop/gui/window_helpers.h"
#include "desktop/program_folder.h"
#include "desktop/registry_store.h"
#include "desktop/twips.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/webkit_downloads.h"

namespace quorvane {
namespace {

// The client area of the restored window, and the design places of the controls that
// ArrangeControls leaves alone.
constexpr float kDesignClientWidth = 12135;
constexpr float kDesignClientHeight = 11100;
const TwipsRect kBackPlace{60, 60, 915, 855};
const TwipsRect kForwardPlace{1020, 60, 855, 855};
const TwipsRect kStopPlace{1920, 60, 855, 855};
const TwipsRect kRefreshPlace{2820, 60, 795, 855};
const TwipsRect kBackDirPlace{3660, 60, 855, 855};
const TwipsRect kCommand1Place{4560, 60, 915, 855};
const TwipsRect kText1Place{60, 1020, 495, 285};

constexpr const char* kHomePageName = "/home.html";

struct TabText {
    const char* caption;
    const char* tooltip;
};
constexpr TabText kTabs[] = {
    {"Browser", "Browser Identical to Internet Explorer"},
    {"Source Code", "View the Source Code of the Current Page"},
    {"Images", "Displays All Images and Links to Images on the Current Page"},
};

}  // namespace

// Hands the browser elements' events to the controller, which is made after them.
class Form1::EventRelay : public BrowserEvents {
  public:
    MainWindowController* target = nullptr;

    void StatusTextChange(int index, const std::string& text) override {
        if (target)
            target->StatusTextChange(index, text);
    }
    void ProgressChange(int index, std::int32_t progress, std::int32_t progressMax) override {
        if (target)
            target->ProgressChange(index, progress, progressMax);
    }
    void DownloadComplete(int index) override {
        if (target)
            target->DownloadComplete(index);
    }
    void TitleChange(int index, const std::string& text) override {
        if (target)
            target->TitleChange(index, text);
    }
};

Form1::Form1(wxWindow* splash, WorkFolder workFolder)
    : wxFrame(nullptr, wxID_ANY, wxString()),
      workFolder_(std::move(workFolder)),
      splash_(splash),
      dotsPerInch_(LogicalDotsPerInch(this)),
      places_(DesignPlaces()),
      relay_(std::make_unique<EventRelay>()) {
    panel_ = new wxPanel(this);
    CreateButtons();
    CreateAddressRow();
    CreateTabStrip();
    CreateBrowserElements();
    CreateFindBar();
    CreateStatusBar();
    CreateMenus();
    BindShortcuts();
    secondary_ = std::make_unique<SecondaryWindows>(this);
    controller_ = std::make_unique<MainWindowController>(
        *this, std::array<BrowserElement*, 3>{wb_[0].get(), wb_[1].get(), wb_[2].get()},
        workFolder_.Path());
    relay_->target = controller_.get();
    SetClientSize(Px(kDesignClientWidth), Px(kDesignClientHeight));
    Bind(wxEVT_SIZE, &Form1::OnResize, this);
    Bind(wxEVT_CLOSE_WINDOW, &Form1::OnClose, this);
}

Form1::~Form1() {
    // The elements outlive the controller's last use of them, and no event of theirs
    // may reach a controller that is gone.
    relay_->target = nullptr;
}

void Form1::Load() {
    controller_->Form_Load();
    // Once the window is on screen: the address box waits for the user's first address.
    CallAfter([this] { FocusAtStart(); });
}

// The Help window shown at start keeps the focus above the main window, so that Escape
// closes it as its text says; behind it, the address box is ready for when it closes.
void Form1::FocusAtStart() {
    txtUrl_->SetFocus();
    txtUrl_->SelectAll();
    secondary_->FocusHelp();
}

void Form1::FocusVisibleView() {
    wb_[controller_->VisibleView()]->Window()->SetFocus();
}

wxButton* Form1::AddPictureButton(const wxString& caption, const wxString& tooltip,
                                  const wxBitmapBundle& picture, const TwipsRect& place) {
    auto* button = new wxButton(panel_, wxID_ANY, caption);
    button->SetBitmap(picture, wxTOP);
    if (!tooltip.empty()) {
        button->SetToolTip(tooltip);
    }
    Place(button, place);
    return button;
}

void Form1::CreateButtons() {
    const wxSize size = wxArtProvider::GetNativeDIPSizeHint(wxART_TOOLBAR);
    const auto own = [&size](ButtonPicture picture) { return ButtonPictureBundle(picture, size); };
    // The theme's stop sign and globe are in full colour already.
    const auto theme = [](const wxString& art) {
        return wxArtProvider::GetBitmapBundle(art, wxART_TOOLBAR);
    };
    cmbBack_ = AddPictureButton("Back", "Back", own(ButtonPicture::Back), kBackPlace);
    cmdForward_ =
        AddPictureButton("Forward", "Forward", own(ButtonPicture::Forward), kForwardPlace);
    cmdStop_ = AddPictureButton("Stop", "Stop", theme(wxART_STOP), kStopPlace);
    cmdRefresh_ =
        AddPictureButton("Refresh", "Refresh", own(ButtonPicture::Refresh), kRefreshPlace);
    cmdBackDir_ = AddPictureButton("Up Dir", "Go back 1 directory level", own(ButtonPicture::UpDir),
                                   kBackDirPlace);
    Command1_ = AddPictureButton("Send to IE", "Send Page to Browser Tab", theme("document-send"),
                                 kCommand1Place);
    Command1_->Hide();
    cmdWebsite_ = AddPictureButton("Website", "", theme("web-browser"), places_.cmdWebsite);

    cmbBack_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->Back(); });
    cmdForward_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->Forward(); });
    cmdStop_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->Stop(); });
    cmdRefresh_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->RefreshPage(); });
    cmdBackDir_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->UpDir(); });
    Command1_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->SendToIE(); });
    cmdWebsite_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RunWebsiteCommand(); });
}

void Form1::CreateAddressRow() {
    auto* text1 = new wxStaticText(panel_, wxID_ANY, "URL:", wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    Place(text1, kText1Place);
    txtUrl_ = new wxTextCtrl(panel_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                             wxTE_PROCESS_ENTER);
    Place(txtUrl_, places_.txtUrl);
    // Enter runs Go; the key still reaches the box.
    txtUrl_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent& event) {
        controller_->AddressKeyPress(13);
        event.Skip();
    });
    cmdGo_ =
        new wxButton(panel_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    cmdGo_->SetBitmap(
        ButtonPictureBundle(ButtonPicture::Go, wxArtProvider::GetNativeDIPSizeHint(wxART_BUTTON)));
    cmdGo_->SetToolTip("Go!");
    Place(cmdGo_, places_.cmdGo);
    cmdGo_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->Go(); });
}

void Form1::CreateTabStrip() {
    TabStrip1_ = new wxNotebook(panel_, wxID_ANY);
    std::vector<wxString> tooltips;
    for (const TabText& tab : kTabs) {
        // The pages stay empty: the browser elements lie over them, and which of them
        // is visible is the views' business, not the tab strip's.
        TabStrip1_->AddPage(new wxPanel(TabStrip1_), tab.caption);
        tooltips.emplace_back(tab.tooltip);
    }
    SetTabToolTips(TabStrip1_, tooltips);
    // The theme's tabs are taller than the 400 twips the views leave above themselves.
    MakeTabsCompact(TabStrip1_);
    Place(TabStrip1_, places_.TabStrip1);
    TabStrip1_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        if (controller_) {
            controller_->TabStrip1_Click();
            // After the tab strip has done with the click, which takes the focus itself.
            CallAfter([this] { FocusVisibleView(); });
        }
        event.Skip();
    });
}

void Form1::CreateBrowserElements() {
    const std::string homePage = ProgramFolder() + kHomePageName;
    using Kind = WebViewBrowserElement::Kind;
    const Kind kinds[] = {Kind::Browser, Kind::GeneratedView, Kind::GeneratedView};
    for (int i = 0; i < 3; ++i) {
        wb_[i] = std::make_unique<WebViewBrowserElement>(panel_, i, kinds[i], *relay_, homePage);
        Place(wb_[i]->Window(), places_.wb);
    }
    downloads_ = std::make_unique<WebKitDownloads>(*this);
    for (const auto& element : wb_) {
        downloads_->Follow(element->Window());
    }
}

void Form1::CreateFindBar() {
    FindBar::Actions actions;
    actions.search = [this](const std::string& text, bool matchCase) {
        controller_->Find(text, matchCase);
    };
    actions.next = [this] { controller_->FindNext(); };
    actions.previous = [this] { controller_->FindPrevious(); };
    actions.shownOrHidden = [this] { ApplyPlaces(); };
    actions.closed = [this] {
        controller_->EndFind();
        FocusVisibleView();
    };
    findBar_ = new FindBar(panel_, std::move(actions));
}

void Form1::CreateStatusBar() {
    // The progress bar lies on the status bar; a status bar that drew its text at once
    // would draw the progress bar with it before its new value is laid out (StatusBar).
    sb1_ = new StatusBar(this);
    SetStatusBar(sb1_);
    pb1_ = new wxGauge(sb1_, wxID_ANY, 100);
    pb1_->SetValue(0);
}

void Form1::BindShortcuts() {
    // Ctrl+L has no menu item: it only moves the focus to the address box.
    const int focusAddressId = wxWindow::NewControlId();
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            txtUrl_->SetFocus();
            txtUrl_->SelectAll();
        },
        focusAddressId);
    // The zoom keys as other browsers take them too: Ctrl+= without Shift, and the
    // keypad's.
    wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'L', focusAddressId},
        {wxACCEL_CTRL, '=', zoomInItem_->GetId()},
        {wxACCEL_CTRL, WXK_NUMPAD_ADD, zoomInItem_->GetId()},
        {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, zoomOutItem_->GetId()},
        {wxACCEL_CTRL, WXK_NUMPAD0, actualSizeItem_->GetId()},
    };
    SetAcceleratorTable(wxAcceleratorTable(std::size(entries), entries));
}

namespace {

// Adds an item whose Click runs onClick. The accelerator, after a tab, is shown in the
// menu and works as a shortcut.
wxMenuItem* AddMenuItem(wxFrame* frame, wxMenu* menu, const wxString& caption,
                        const wxString& accelerator, std::function<void()> onClick) {
    const wxString label = accelerator.empty() ? caption : caption + "\t" + accelerator;
    wxMenuItem* item = menu->Append(wxID_ANY, label);
    frame->Bind(
        wxEVT_MENU, [onClick = std::move(onClick)](wxCommandEvent&) { onClick(); }, item->GetId());
    return item;
}

}  // namespace

void Form1::CreateMenus() {
    auto* bar = new wxMenuBar;
    auto* file = new wxMenu;
    AddMenuItem(this, file, "Open", "Ctrl+O", [this] { controller_->FileMenuItemClick(0); });
    AddMenuItem(this, file, "Exit", "Ctrl+Q", [this] { controller_->FileMenuItemClick(1); });
    file->AppendSeparator();
    const wxMenuItem* saveImages =
        AddMenuItem(this, file, wxString::FromUTF8("Save Images\u2026"), "Ctrl+Shift+S",
                    [this] { controller_->SaveImages(); });
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) { event.Enable(controller_->CanSaveImages()); },
        saveImages->GetId());
    // The access keys (Alt+F, ...) show as underlined letters, not as part of the captions.
    bar->Append(file, "&File");

    auto* go = new wxMenu;
    const char* goCaptions[] = {"Back",    "Forward",          "Stop",
                                "Refresh", "Back a Directory", "Send Page to Browser Tab"};
    const char* goKeys[] = {"Alt+Left", "Alt+Right", "Esc", "F5", "", ""};
    for (int i = 0; i < 6; ++i) {
        AddMenuItem(this, go, goCaptions[i], goKeys[i],
                    [this, i] { controller_->GoMenuItemClick(i); });
    }
    bar->Append(go, "&Go");

    auto* view = new wxMenu;
    const char* viewKeys[] = {"Ctrl+1", "Ctrl+2", "Ctrl+3"};
    for (int i = 0; i < 3; ++i) {
        AddMenuItem(this, view, kTabs[i].caption, viewKeys[i], [this, i] {
            controller_->ViewMenuItemClick(i);
            FocusVisibleView();
        });
    }
    viewWebsiteItem_ =
        AddMenuItem(this, view, "Website", "", [this] { controller_->ViewMenuItemClick(3); });
    AddFindAndZoomItems(view);
    bar->Append(view, "&View");

    auto* tools = new wxMenu;
    toolsAddItem_ =
        AddMenuItem(this, tools, "Add program to IE Tools Menu", "", [this] { OnToolsMenu(0); });
    toolsRemoveItem_ = AddMenuItem(this, tools, "Remove Program from IE Tools Menu", "",
                                   [this] { OnToolsMenu(1); });
    bar->Append(tools, "&Tools");

    auto* help = new wxMenu;
    AddMenuItem(this, help, "View Help", "", [this] { secondary_->ShowHelp(); });
    bar->Append(help, "&Help");

    auto* about = new wxMenu;
    AddMenuItem(this, about, "About this software", "", [this] { secondary_->ShowAbout(); });
    bar->Append(about, "&About");
    SetMenuBar(bar);
}

void Form1::AddFindAndZoomItems(wxMenu* view) {
    view->AppendSeparator();
    AddMenuItem(this, view, wxString::FromUTF8("Find\u2026"), "Ctrl+F",
                [this] { findBar_->Open(); });
    AddMenuItem(this, view, "Find Next", "F3", [this] { findBar_->FindAgain(true); });
    AddMenuItem(this, view, "Find Previous", "Shift+F3", [this] { findBar_->FindAgain(false); });
    view->AppendSeparator();
    zoomInItem_ = AddMenuItem(this, view, "Zoom In", "Ctrl++", [this] { controller_->ZoomIn(); });
    zoomOutItem_ =
        AddMenuItem(this, view, "Zoom Out", "Ctrl+-", [this] { controller_->ZoomOut(); });
    actualSizeItem_ =
        AddMenuItem(this, view, "Actual Size", "Ctrl+0", [this] { controller_->ActualSize(); });
}

void Form1::OnToolsMenu(int index) {
    RegistryStore localMachine = RegistryStore::ForRoot(RootKey::LocalMachine);
    toolsItems_ =
        ToolsMenuItemClick(index, toolsItems_, localMachine, ProgramPath(), strProductName);
    toolsAddItem_->Enable(toolsItems_.addEnabled);
    toolsRemoveItem_->Enable(toolsItems_.removeEnabled);
}

void Form1::OnClose(wxCloseEvent&) {
    // Closing is never cancelled.
    if (!unloaded_) {
        unloaded_ = true;
        controller_->Form_Unload();
    }
    Destroy();
}

}  // namespace quorvane
