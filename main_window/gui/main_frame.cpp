#include "main_window/gui/main_frame.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/srchctrl.h>
#include <wx/statusbr.h>
#include <wx/webview.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "branding/branding_values.h"
#include "branding/gui/secondary_windows.h"
#include "branding/gui/show_help_setting.h"
#include "desktop/gui/accessible_names.h"
#include "desktop/gui/tab_strip.h"
#include "desktop/gui/twips_size.h"
#include "desktop/gui/window_helpers.h"
#include "desktop/program_folder.h"
#include "desktop/program_launch.h"
#include "desktop/translation.h"
#include "engine/gui/engine_live_document.h"
#include "engine/gui/first_screen_cover.h"
#include "engine/gui/local_files_filter.h"
#include "engine/gui/webkit_downloads.h"
#include "image_list/gui/image_list_view.h"
#include "inspection/gui/served_source_view.h"
#include "main_window/gui/command_binding.h"
#include "main_window/gui/encoding_menu.h"
#include "main_window/gui/file_dialogs.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/image_list_controls.h"
#include "main_window/gui/picture_conversion_settings.h"
#include "main_window/gui/progress_status_bar.h"
#include "main_window/gui/request_list_controls.h"
#include "main_window/gui/served_source_controls.h"
#include "main_window/gui/shortcuts_window.h"
#include "main_window/gui/toolbar_row.h"
#include "requests/gui/request_list_view.h"
#include "requests/request_headers_text.h"
#include "saving/saved_download.h"

namespace quorvane {
namespace {

// The client area of the restored window.
constexpr float kDesignClientWidth = 12135;
constexpr float kDesignClientHeight = 11100;

constexpr const char* kHomePageName = "/home.html";

struct TabText {
    const char* caption;
    const char* tooltip;
};
constexpr TabText kTabs[] = {
    {"Browser", "Browser Identical to Internet Explorer"},
    {"Source Code", "View the Source Code of the Current Page"},
    {"Images", "Displays All Images and Links to Images on the Current Page"},
    {wxTRANSLATE("Original Source"), wxTRANSLATE("The page as the server sent it")},
    {wxTRANSLATE("Image List"), wxTRANSLATE("Every image the page shows or names, with its facts")},
    {wxTRANSLATE("Resources"),
     wxTRANSLATE("Every request the page made, with its headers, status and time")},
};

}  // namespace

MainFrame::MainFrame(wxWindow* splash, WorkFolder workFolder)
    : wxFrame(nullptr, wxID_ANY, wxString()),
      workFolder_(std::move(workFolder)),
      splash_(splash),
      placer_(LogicalDotsPerInch(this)),
      places_(DesignPlaces()),
      secondary_(std::make_unique<SecondaryWindows>(
          this, [this](const std::string& text) { controller_->ShowMessage(text); })) {
    panel_ = new wxPanel(this);
    toolbar_ = std::make_unique<ToolbarRow>(
        panel_, placer_, places_,
        AddressBoxEvents{
            .enter = [this] { OnAddressEnter(); },
            .typed = [this](const std::string& text) { controller_->AddressTyped(text); },
            .left = [this] { controller_->AddressBoxLeft(); },
            .escape = [this] { return controller_->EscapeInAddressBox(); },
        });
    CreateTabStrip();
    CreateInspectingViews();
    controller_ = std::make_unique<MainWindowController>(
        *this, *secondary_, [this](BrowserEvents& events) { return CreateBrowserElements(events); },
        servedSource_->Pane(), *imageList_->View(), imageList_->Table(), *requestList_->View(),
        requestList_->Table(), workFolder_.Path(),
        [this](std::function<void()> step) { CallAfter(std::move(step)); });
    // The Browser view's engine is made with the controller.
    servedSource_->ReadLivePageFrom(std::make_unique<EngineLiveDocument>(views_[0]->Window()));
    servedSource_->ReadServedBytesFrom(*views_[0]);
    FollowEngineDownloads();
    CreateFindBar();
    statusBar_ = std::make_unique<ProgressStatusBar>(this);
    commands_ = std::make_unique<CommandBinding>(*this, CommandTarget{*controller_, *this},
                                                 [this] { FocusVisibleView(); });
    encodingMenu_ = std::make_unique<EncodingMenu>(
        *this, [this] { return servedSource_->ShownEncoding(); },
        [this](std::string_view name) { servedSource_->ChooseEncoding(name); });
    SetClientSize(placer_.Px(kDesignClientWidth), placer_.Px(kDesignClientHeight));
    Bind(wxEVT_SIZE, &MainFrame::OnResize, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
}

MainFrame::~MainFrame() = default;

// The Original Source, the Image List and the Resources, each placed where the views are.
void MainFrame::CreateInspectingViews() {
    servedSource_ = std::make_unique<ServedSourceControls>(
        panel_, UserSettingsFile(branding.productName),
        [this](const std::string& target, bool ownSource) {
            controller_->FollowSourceLink(target, ownSource);
        },
        [this](const std::string& value) { controller_->RefuseSourceLink(value); });
    placer_.Place(servedSource_->Page(), places_.views);
    imageList_ = std::make_unique<ImageListControls>(
        panel_, [this]() -> MainWindowController& { return *controller_; });
    placer_.Place(imageList_->View(), places_.views);
    requestList_ = std::make_unique<RequestListControls>(
        panel_, [this]() -> MainWindowController& { return *controller_; },
        [this] { servedSource_->RefreshHeaders(); },
        [this](const std::string& address) {
            servedSource_->ShowResource(address);
            controller_->SelectView(MainWindowController::kServedSourceView);
        });
    servedSource_->ReadHeadersFrom(
        [this] { return MainDocumentHeadersText(requestList_->Table().Log()); });
    placer_.Place(requestList_->View(), places_.views);
}

// Downloads say how they went through the controller, so that their word lasts.
void MainFrame::FollowEngineDownloads() {
    downloads_ = std::make_unique<WebKitDownloads>(
        [this] { return std::make_unique<SavedDownload>(*controller_); });
    controller_->FollowDownloads(*downloads_);
    for (const auto& element : views_) {
        if (element->Window() != nullptr) {
            downloads_->Follow(element->Window());
        }
    }
}

void MainFrame::Load(const std::string& startAddress, StartedBy startedBy) {
    controller_->Load(startAddress, startedBy);
    // Once the window is on screen: the address box waits for the user's first address, and
    // a window opened for a page gives the keyboard to that page, as its opener did.
    if (startedBy == StartedBy::Person) {
        CallAfter([this] { FocusAtStart(); });
    } else {
        CallAfter([this] { FocusVisibleView(); });
    }
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
        servedSource_->View()->SetFocus();
    } else if (visible == MainWindowController::kImageListView) {
        imageList_->View()->FocusList();
    } else if (visible == MainWindowController::kRequestListView) {
        requestList_->View()->FocusList();
    } else {
        views_[visible]->FocusPage();
    }
}

// Enter runs Go and, as in other desktop browsers, hands the keyboard to the view shown,
// the page that now loads when it is the Browser view, as the Go button does.
void MainFrame::OnAddressEnter() {
    controller_->UserAction();
    controller_->EnterInAddressBox();
    FocusVisibleView();
}

void MainFrame::CreateTabStrip() {
    tabStrip_ = new wxNotebook(panel_, wxID_ANY);
    std::vector<wxString> tooltips;
    for (const TabText& tab : kTabs) {
        // The pages stay empty: the browser elements lie over them, and which of them
        // is visible is the views' business, not the tab strip's.
        tabStrip_->AddPage(new wxPanel(tabStrip_), wxGetTranslation(tab.caption));
        tooltips.push_back(wxGetTranslation(tab.tooltip));
    }
    SetTabToolTips(tabStrip_, tooltips);
    SetAccessibleName(*tabStrip_, _("Views"));
    // The theme's tabs are taller than the 400 twips the views leave above themselves.
    MakeTabsCompact(tabStrip_);
    placer_.Place(tabStrip_, places_.tabStrip);
    tabStrip_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
        if (controller_) {
            controller_->OnTabSelected();
            // After the tab strip has done with the click, which takes the focus itself.
            CallAfter([this] { FocusVisibleView(); });
        }
        event.Skip();
    });
}

ViewElements MainFrame::CreateBrowserElements(BrowserEvents& events) {
    const std::string homePage = ProgramFolder() + kHomePageName;
    using Kind = WebViewBrowserElement::Kind;
    const Kind kinds[] = {Kind::Browser, Kind::GeneratedView, Kind::GeneratedView};
    const auto filters = std::make_shared<LocalFilesFilterStore>();
    const auto cover = std::make_shared<FirstScreenCover>(panel_, filters);
    // The Browser view's window is there at once; a generated view's is made when the user
    // first shows the view, and takes the views' place as it is then. A screen reader
    // calls each by its tab's caption.
    const auto placeMadeView = [this](int index) -> WebViewBrowserElement::WindowMade {
        return [this, index](wxWebView* window) {
            SetAccessibleName(*window, kTabs[index].caption);
            ApplyPlaces();
            downloads_->Follow(window);
        };
    };
    for (int i = 0; i < 3; ++i) {
        views_[i] = std::make_unique<WebViewBrowserElement>(
            panel_, i, kinds[i], events, homePage, filters, cover,
            kinds[i] == Kind::GeneratedView ? placeMadeView(i)
                                            : WebViewBrowserElement::WindowMade());
    }
    SetAccessibleName(*views_[0]->Window(), kTabs[0].caption);
    placer_.Place(views_[0]->Window(), places_.views);
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

void MainFrame::OnClose(wxCloseEvent&) {
    // Closing is never cancelled.
    if (!unloaded_) {
        unloaded_ = true;
        controller_->Unload();
    }
    Destroy();
}

void MainFrame::OnResize(wxSizeEvent& event) {
    // The status bar is docked below the client area, so its Top is the client height.
    const wxSize size = GetSize();
    places_.statusBar = {0, placer_.Twips(GetClientSize().GetHeight()),
                         placer_.Twips(statusBar_->Bar()->GetSize().GetWidth()),
                         placer_.Twips(statusBar_->Bar()->GetSize().GetHeight())};
    places_.panelWidths.resize(statusBar_->PanelCount());
    ArrangeControls(placer_.Twips(size.GetWidth()), placer_.Twips(size.GetHeight()), places_);
    ApplyPlaces();
    event.Skip();
}

void MainFrame::ApplyPlaces() {
    // GTK cannot draw a tab strip smaller than its tabs and complains on the terminal
    // when asked to, so in a tiny window the strip keeps that size and the window cuts
    // it off.
    const wxSize tabs = tabStrip_->GetBestSize();
    tabStrip_->SetSize(placer_.Px(places_.tabStrip.Left), placer_.Px(places_.tabStrip.Top),
                       std::max(placer_.Px(places_.tabStrip.Width), tabs.GetWidth()),
                       std::max(placer_.Px(places_.tabStrip.Height), tabs.GetHeight()));
    TwipsRect views = places_.views;
    if (findBar_->IsShown()) {
        const ViewsAndBar split =
            TakeBarFromViews(views, placer_.Twips(findBar_->GetBestSize().GetHeight()));
        views = split.views;
        placer_.Place(findBar_, split.bar);
    }
    placer_.Place(servedSource_->Page(), views);
    placer_.Place(imageList_->View(), views);
    placer_.Place(requestList_->View(), views);
    for (const auto& element : views_) {
        if (element->Window() != nullptr) {
            placer_.Place(element->Window(), views);
        }
    }
    statusBar_->ApplyPlaces(placer_, places_);
    toolbar_->ApplyPlaces(places_);
}

wxTextCtrl* MainFrame::AddressBox() const {
    return toolbar_->AddressBox();
}

ServedSourceView& MainFrame::ServedSource() {
    return *servedSource_->View();
}

void MainFrame::SetWindowIcon() {
    quorvane::SetIcon(this, "AAA", true);
}

void MainFrame::SetWebsiteCaptions(const std::string& website) {
    toolbar_->SetWebsiteCaption(website);
    commands_->SetWebsiteCaption(website);
}

void MainFrame::SetCaption(const std::string& caption) {
    SetTitle(wxString::FromUTF8(caption));
}

int MainFrame::StatusPanelCount() const {
    return statusBar_->PanelCount();
}

void MainFrame::AddStatusPanel() {
    statusBar_->AddPanel(places_);
}

std::string MainFrame::AddressText() const {
    return toolbar_->AddressText();
}

void MainFrame::SetAddressText(const std::string& text) {
    toolbar_->SetAddressText(text);
}

void MainFrame::SetStatusText(const std::string& text) {
    statusBar_->SetTextAndSayIt(text);
}

void MainFrame::SetEngineStatusText(const std::string& text) {
    statusBar_->SetText(text);
}

// A task done in slices (reading thousands of files' facts, saving thousands of
// pictures) gives the window its turn between slices.
void MainFrame::CallSoon(std::function<void()> step) {
    idleSteps_.Post(std::move(step));
}

void MainFrame::SetProgress(float max, float value) {
    statusBar_->SetProgress(max, value);
}

int MainFrame::SelectedTab() const {
    return tabStrip_->GetSelection() + 1;
}

void MainFrame::SelectTab(int tab) {
    if (tabStrip_->GetSelection() == tab - 1) {
        return;
    }
    // ChangeSelection raises no event of its own, so the tab strip's Click runs here,
    // exactly once.
    tabStrip_->ChangeSelection(tab - 1);
    controller_->OnTabSelected();
}

std::optional<std::string> MainFrame::ChooseFileToOpen() {
    return quorvane::ChooseFileToOpen(this);
}

// The "Convert to" choice starts as last chosen, in this window or another.
std::optional<ImagesDestination> MainFrame::ChooseFolderToSaveImages(
    const std::string& startFolder) {
    const PictureConversionSettings settings(UserSettingsFile(branding.productName));
    std::optional<ImagesDestination> chosen =
        quorvane::ChooseFolderToSaveImages(this, startFolder, settings.Read());
    if (chosen) {
        settings.Write(chosen->conversion);
    }
    return chosen;
}

std::optional<std::string> MainFrame::ChooseFileToSaveSource(const std::string& folder,
                                                             const std::string& name) {
    return quorvane::ChooseFileToSaveSource(this, folder, name);
}

std::optional<RequestExportChoice> MainFrame::ChooseFileToExportRequests(const std::string& folder,
                                                                         const std::string& name) {
    return quorvane::ChooseFileToExportRequests(this, folder, name);
}

std::optional<std::string> MainFrame::ChooseFileToExportImageList(const std::string& folder,
                                                                  const std::string& name) {
    return quorvane::ChooseFileToExportImageList(this, folder, name);
}

void MainFrame::SetFindStatus(const std::string& status) {
    findBar_->SetStatus(status);
}

// The new copy is told where this window is, so that it opens beside it rather than over it.
void MainFrame::StartNewWindow(const std::string& address) {
    const wxRect place = GetScreenRect();
    const StartRequest request{address, StartedBy::AnotherWindow,
                               ScreenRect{place.x, place.y, place.width, place.height}};
    if (const std::optional<std::string> failure = LaunchProgram(request)) {
        controller_->ShowMessage(Translated("Could not open a new window: {1}", {*failure}));
    }
}

void MainFrame::UnloadSplashWindow() {
    if (splash_ != nullptr) {
        splash_->Destroy();
        splash_ = nullptr;
    }
}

void MainFrame::EndProcess() {
    // Every window goes and the event loop ends: no further event reaches the program.
    const std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
    for (wxWindow* window : windows) {
        if (window != this) {
            window->Destroy();
        }
    }
    wxTheApp->ExitMainLoop();
}

void MainFrame::CloseMainWindow() {
    Close(true);
}

void MainFrame::OpenFindBar() {
    findBar_->Open();
}

void MainFrame::FindNextOnBar() {
    findBar_->FindAgain(true);
}

void MainFrame::FindPreviousOnBar() {
    findBar_->FindAgain(false);
}

void MainFrame::FocusAddressBox() {
    toolbar_->FocusAddressBox();
}

void MainFrame::ClickToolsMenuItem(ToolsMenuItem item) {
    const ToolsMenuClick click = quorvane::ClickToolsMenuItem(item, toolsItems_, toolsMenuStore_,
                                                              ProgramPath(), branding.productName);
    toolsItems_ = click.items;
    if (!click.failure.empty()) {
        controller_->ShowMessage(click.failure);
    }
}

bool MainFrame::ToolsMenuItemEnabled(ToolsMenuItem item) const {
    return item == ToolsMenuItem::Add ? toolsItems_.addEnabled : toolsItems_.removeEnabled;
}

void MainFrame::GoToSourceLine() {
    servedSource_->GoToLine(this);
}

void MainFrame::FlipSourceSwitch(SourceSwitch which) {
    servedSource_->FlipSwitch(which);
}

bool MainFrame::SourceSwitchOn(SourceSwitch which) const {
    return servedSource_->SwitchOn(which);
}

void MainFrame::ChooseSourceMode(SourceMode mode) {
    servedSource_->ChooseMode(mode);
}

bool MainFrame::SourceModeChosen(SourceMode mode) const {
    return servedSource_->Mode() == mode;
}

void MainFrame::GoToChange(bool next) {
    servedSource_->GoToChange(next);
}

void MainFrame::ReadPageAgain() {
    servedSource_->ReadPageAgain();
}

// While it is open the key raises it rather than open a second one.
ShortcutsWindow* MainFrame::ShortcutsWindowShown() const {
    return shortcuts_ && !wxTheApp->IsScheduledForDestruction(shortcuts_.get()) ? shortcuts_.get()
                                                                                : nullptr;
}

void MainFrame::ShowKeyboardShortcuts() {
    // A window closed a moment ago is only waiting to be deleted: a new one replaces it.
    if (!shortcuts_ || wxTheApp->IsScheduledForDestruction(shortcuts_.get())) {
        shortcuts_ = new ShortcutsWindow(this);
    }
    shortcuts_->Show();
    shortcuts_->Raise();
    shortcuts_->SearchBox()->SetFocus();
}

}  // namespace quorvane
