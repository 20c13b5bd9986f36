#include "main_window/gui/main_frame.h"

#include "inspection/gui/served_source_view.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "branding/branding_values.h"
#include "branding/gui/secondary_windows.h"
#include "branding/gui/show_help_setting.h"
#include "desktop/gui/button_pictures.h"
#include "desktop/gui/status_bar.h"
#include "desktop/gui/tab_strip.h"
#include "desktop/gui/twips_size.h"
#include "desktop/program_folder.h"
#include "desktop/twips.h"
#include "engine/gui/first_screen_cover.h"
#include "engine/gui/local_files_filter.h"
#include "main_window/gui/find_bar.h"
#include "saving/gui/webkit_downloads.h"

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
const TwipsRect kSendToBrowserTabPlace{4560, 60, 915, 855};
const TwipsRect kAddressCaptionPlace{60, 1020, 495, 285};

constexpr const char* kHomePageName = "/home.html";

struct TabText {
    const char* caption;
    const char* tooltip;
};
constexpr TabText kTabs[] = {
    {"Browser", "Browser Identical to Internet Explorer"},
    {"Source Code", "View the Source Code of the Current Page"},
    {"Images", "Displays All Images and Links to Images on the Current Page"},
    {"Original Source", "The page as the server sent it"},
};

}  // namespace

MainFrame::MainFrame(wxWindow* splash, WorkFolder workFolder)
    : wxFrame(nullptr, wxID_ANY, wxString()),
      workFolder_(std::move(workFolder)),
      splash_(splash),
      dotsPerInch_(LogicalDotsPerInch(this)),
      places_(DesignPlaces()),
      sourceSettings_(UserSettingsFile(branding.productName)),
      secondary_(std::make_unique<SecondaryWindows>(
          this, [this](const std::string& text) { controller_->ShowMessage(text); })) {
    panel_ = new wxPanel(this);
    CreateButtons();
    CreateAddressRow();
    CreateTabStrip();
    CreateServedSourceView();
    controller_ = std::make_unique<MainWindowController>(
        *this, *secondary_, [this](BrowserEvents& events) { return CreateBrowserElements(events); },
        *servedSource_, workFolder_.Path(),
        [this](std::function<void()> step) { CallAfter(std::move(step)); });
    // Downloads say how they went through the controller, so that their word lasts.
    downloads_ = std::make_unique<WebKitDownloads>(*controller_);
    for (const auto& element : views_) {
        downloads_->Follow(element->Window());
    }
    CreateFindBar();
    CreateStatusPanels();
    CreateMenus();
    BindCommands();
    BindShortcuts();
    SetClientSize(Px(kDesignClientWidth), Px(kDesignClientHeight));
    Bind(wxEVT_SIZE, &MainFrame::OnResize, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
}

MainFrame::~MainFrame() = default;

void MainFrame::Load(const std::string& startAddress) {
    controller_->Load(startAddress);
    // Once the window is on screen: the address box waits for the user's first address.
    CallAfter([this] { FocusAtStart(); });
}

// The Help window shown at start keeps the focus above the main window, so that Escape
// closes it as its text says; behind it, the address box is ready for when it closes.
void MainFrame::FocusAtStart() {
    FocusAddressBox();
    secondary_->FocusHelp();
}

void MainFrame::FocusVisibleView() {
    const int visible = controller_->VisibleView();
    if (visible == MainWindowController::kServedSourceView) {
        servedSource_->SetFocus();
    } else {
        views_[visible]->Window()->SetFocus();
    }
}

// The button runs its command's routine, as the command's menu item and shortcut do.
wxButton* MainFrame::AddPictureButton(CommandId command, const wxString& caption,
                                      const wxString& tooltip, const wxBitmapBundle& picture,
                                      const TwipsRect& place) {
    auto* button = new wxButton(panel_, CommandWindowId(command), caption);
    button->SetBitmap(picture, wxTOP);
    if (!tooltip.empty()) {
        button->SetToolTip(tooltip);
    }
    Place(button, place);
    return button;
}

void MainFrame::CreateButtons() {
    const wxSize size = wxArtProvider::GetNativeDIPSizeHint(wxART_TOOLBAR);
    const auto own = [&size](ButtonPicture picture) { return ButtonPictureBundle(picture, size); };
    // The theme's stop sign and globe are in full colour already.
    const auto theme = [](const wxString& art) {
        return wxArtProvider::GetBitmapBundle(art, wxART_TOOLBAR);
    };
    AddPictureButton(CommandId::Back, "Back", "Back", own(ButtonPicture::Back), kBackPlace);
    AddPictureButton(CommandId::Forward, "Forward", "Forward", own(ButtonPicture::Forward),
                     kForwardPlace);
    AddPictureButton(CommandId::Stop, "Stop", "Stop", theme(wxART_STOP), kStopPlace);
    AddPictureButton(CommandId::Refresh, "Refresh", "Refresh", own(ButtonPicture::Refresh),
                     kRefreshPlace);
    AddPictureButton(CommandId::UpDir, "Up Dir", "Go back 1 directory level",
                     own(ButtonPicture::UpDir), kBackDirPlace);
    AddPictureButton(CommandId::SendToIE, "Send to IE", "Send Page to Browser Tab",
                     theme("document-send"), kSendToBrowserTabPlace)
        ->Hide();
    // Home has the place of the hidden button, which no user sees.
    AddPictureButton(CommandId::Home, "Home", "Go to the home page (Alt+Home)",
                     theme(wxART_GO_HOME), kSendToBrowserTabPlace);
    websiteButton_ = AddPictureButton(CommandId::Website, "Website", "", theme("web-browser"),
                                      places_.websiteButton);
}

void MainFrame::CreateAddressRow() {
    auto* addressCaption = new wxStaticText(panel_, wxID_ANY, "URL:", wxDefaultPosition,
                                            wxDefaultSize, wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    Place(addressCaption, kAddressCaptionPlace);
    addressBox_ = new wxTextCtrl(panel_, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                 wxTE_PROCESS_ENTER);
    Place(addressBox_, places_.addressBox);
    // Enter runs Go; the key still reaches the box.
    // Enter runs Go and, as in other desktop browsers, hands the keyboard to the page that
    // now loads, when the Browser view is the one shown.
    addressBox_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent& event) {
        controller_->UserAction();
        controller_->EnterInAddressBox();
        if (controller_->VisibleView() == MainWindowController::kBrowserView) {
            FocusVisibleView();
        }
        event.Skip();
    });
    goButton_ = new wxButton(panel_, CommandWindowId(CommandId::Go), wxString(), wxDefaultPosition,
                             wxDefaultSize, wxBU_EXACTFIT);
    goButton_->SetBitmap(
        ButtonPictureBundle(ButtonPicture::Go, wxArtProvider::GetNativeDIPSizeHint(wxART_BUTTON)));
    goButton_->SetToolTip("Go!");
    Place(goButton_, places_.goButton);
}

void MainFrame::CreateTabStrip() {
    tabStrip_ = new wxNotebook(panel_, wxID_ANY);
    std::vector<wxString> tooltips;
    for (const TabText& tab : kTabs) {
        // The pages stay empty: the browser elements lie over them, and which of them
        // is visible is the views' business, not the tab strip's.
        tabStrip_->AddPage(new wxPanel(tabStrip_), tab.caption);
        tooltips.emplace_back(tab.tooltip);
    }
    SetTabToolTips(tabStrip_, tooltips);
    // The theme's tabs are taller than the 400 twips the views leave above themselves.
    MakeTabsCompact(tabStrip_);
    Place(tabStrip_, places_.tabStrip);
    tabStrip_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        if (controller_) {
            controller_->OnTabSelected();
            // After the tab strip has done with the click, which takes the focus itself.
            CallAfter([this] { FocusVisibleView(); });
        }
        event.Skip();
    });
}

std::array<BrowserElement*, 3> MainFrame::CreateBrowserElements(BrowserEvents& events) {
    const std::string homePage = ProgramFolder() + kHomePageName;
    using Kind = WebViewBrowserElement::Kind;
    const Kind kinds[] = {Kind::Browser, Kind::GeneratedView, Kind::GeneratedView};
    const auto filters = std::make_shared<LocalFilesFilterStore>();
    const auto cover = std::make_shared<FirstScreenCover>(panel_, filters);
    for (int i = 0; i < 3; ++i) {
        views_[i] = std::make_unique<WebViewBrowserElement>(panel_, i, kinds[i], events, homePage,
                                                            filters, cover);
        Place(views_[i]->Window(), places_.views);
    }
    return {views_[0].get(), views_[1].get(), views_[2].get()};
}

void MainFrame::CreateFindBar() {
    FindBar::Actions actions;
    actions.search = [this](const std::string& text, const SourceFindOptions& options) {
        controller_->Find(text, options);
    };
    actions.expressionsUsable = [this] {
        return controller_->VisibleView() == MainWindowController::kServedSourceView;
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

void MainFrame::CreateStatusPanels() {
    // The progress bar lies on the status bar; a status bar that drew its text at once
    // would draw the progress bar with it before its new value is laid out (StatusBar).
    statusBar_ = new StatusBar(this);
    SetStatusBar(statusBar_);
    progressBar_ = new wxGauge(statusBar_, wxID_ANY, 100);
    progressBar_->SetValue(0);
}

void MainFrame::OnClose(wxCloseEvent&) {
    // Closing is never cancelled.
    if (!unloaded_) {
        unloaded_ = true;
        controller_->Unload();
    }
    Destroy();
}

}  // namespace quorvane
