#include "main_window/main_window_controller.h"

#include <stdexcept>
#include <utility>

#include "analysis/work_files.h"
#include "branding/branding_values.h"
#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "engine/address_to_load.h"
#include "image_list/image_list_export.h"

namespace quorvane {

namespace {

// 0.01 rather than 0 gives a bar that looks empty.
constexpr float kProgressEmpty = 0.01f;
constexpr float kProgressMax = 100;

// What panel 1 says while the Original Source view shows a page whose load goes on.
constexpr const char* kStillLoadingNote =
    Translatable("Page still loading: the source shown is complete");

// The engine writes an address without a path with one: "http://host" is "http://host/".
bool SameAddress(const std::string& asked, const std::string& shown) {
    return asked == shown || asked + "/" == shown;
}

std::string StartCaption() {
    return branding.productName + " by " + branding.companyName;
}

// Checked before anything changes, so a wrong view never leaves all of them hidden.
void CheckView(int view) {
    if (view < 0 || view > MainWindowController::kRequestListView) {
        throw std::out_of_range("no view " + std::to_string(view));
    }
}

}  // namespace

MainWindowController::MainWindowController(MainWindowSurface& surface, SideWindows& windows,
                                           const MakeViews& makeViews,
                                           ServedSourcePane& servedSource, ImageListPane& imageList,
                                           ImageListTable& imageTable, RequestListPane& requestList,
                                           RequestListTable& requestTable, std::string workFolder,
                                           PageAnalysisRunner::ToWindowThread toWindowThread)
    : surface_(surface),
      windows_(windows),
      views_(makeViews(*this), servedSource, imageList, requestList),
      addressBox_(surface),
      imageList_(views_.Browser(), imageTable, imageList, *this, toWindowThread),
      requests_(views_.Browser(), requestTable, requestList, *this),
      servedSourceFollower_(views_.Browser(), servedSource,
                            [this](bool stillLoading) {
                                stillLoading ? status_.Note(Translated(kStillLoadingNote))
                                             : status_.EndNote();
                            }),
      workFolder_(std::move(workFolder)),
      status_([this](const std::string& text) { surface_.SetEngineStatusText(text); },
              [this](const std::string& text) { surface_.SetStatusText(text); }),
      find_(views_, surface_),
      zoom_(views_, status_),
      analysis_(views_, surface_, workFolder_, toWindowThread),
      saving_(views_, surface_, *this, analysis_.Lists(), std::move(toWindowThread)),
      navigation_(views_, surface_, addressBox_, status_, analysis_, saving_,
                  [this](int view) { SelectView(view); }) {}

// No step is guarded: a failure goes on to the caller, which ends the program with a
// message naming it, rather than showing a window whose views could never work.
void MainWindowController::Load(const std::string& startAddress, StartedBy startedBy) {
    surface_.SetWindowIcon();
    surface_.SetWebsiteCaptions(branding.website);
    surface_.SetCaption(StartCaption());
    if (startedBy == StartedBy::Person && windows_.ReadShowHelpSetting() == "1") {
        windows_.ShowHelp();
    }
    EnsureWorkFiles(workFolder_);
    // A Resize before this point may already have added the second panel.
    while (surface_.StatusPanelCount() < 2) {
        surface_.AddStatusPanel();
    }
    ShowView(kBrowserView);
    if (startAddress.empty()) {
        views_.Browser().GoHome();
    } else {
        views_.Browser().Navigate(startAddress);
    }
}

void MainWindowController::Unload() {
    windows_.UnloadHelp();
    surface_.UnloadSplashWindow();
    for (BrowserElement* element : views_.Elements()) {
        element->Stop();
    }
    // The Website window closes itself within a second; while it is shown the process
    // ends when that last window closes instead of here.
    if (!windows_.WebsiteWindowShown()) {
        surface_.EndProcess();
    }
}

void MainWindowController::ShowView(int view) {
    CheckView(view);
    const bool sourceWasShown = views_.ServedSource().Visible();
    views_.HideAll();
    RevealView(view, sourceWasShown);
}

void MainWindowController::SelectView(int view) {
    CheckView(view);
    const bool sourceWasShown = views_.ServedSource().Visible();
    views_.HideAll();
    // Selecting a tab that was not selected runs the tab strip's Click, which shows
    // the same view; the view is made visible here either way.
    surface_.SelectTab(view + 1);
    RevealView(view, sourceWasShown);
}

// The view is shown first, then the open search goes with it.
void MainWindowController::RevealView(int view, bool sourceWasShown) {
    if (view == kServedSourceView) {
        views_.ServedSource().SetVisible(true);
        servedSourceFollower_.OnShown();
    } else if (view == kImageListView) {
        views_.ImageList().SetVisible(true);
    } else if (view == kRequestListView) {
        views_.RequestList().SetVisible(true);
    } else {
        views_.Element(view).SetVisible(true);
    }
    if (sourceWasShown && view != kServedSourceView) {
        servedSourceFollower_.OnHidden();
    }
    analysis_.ViewShown();
    find_.ViewShown(view, sourceWasShown);
    zoom_.ViewShown();
}

void MainWindowController::Stop() {
    navigation_.Stop();
    imageList_.StopSaving();
    CancelDownloads();
}

void MainWindowController::CancelDownloads() {
    if (downloads_ != nullptr) {
        downloads_->CancelAll();
    }
}

void MainWindowController::ExportImageList() {
    const std::optional<std::string> chosen = surface_.ChooseFileToExportImageList(
        UserDownloadFolder().string(), imageList_.ExportFileName());
    if (chosen && !chosen->empty()) {
        imageList_.Export(*chosen, ExportTimeNow());
    }
}

void MainWindowController::ExportRequests() {
    const std::optional<RequestExportChoice> chosen = surface_.ChooseFileToExportRequests(
        UserDownloadFolder().string(), requests_.ExportFileName());
    if (chosen && !chosen->file.empty()) {
        requests_.Export(chosen->file, {.includeCredentials = chosen->includeCredentials,
                                        .includeTextBodies = chosen->includeTextBodies});
    }
}

void MainWindowController::SaveListedImages(const std::vector<std::size_t>& rows,
                                            bool keepAllCandidates) {
    if (rows.empty() || imageList_.Saving()) {
        return;
    }
    const std::optional<ImagesDestination> destination =
        surface_.ChooseFolderToSaveImages(UserDownloadFolder().string());
    if (destination && !destination->folder.empty()) {
        imageList_.Save(rows, keepAllCandidates, destination->folder, destination->conversion);
    }
}

void MainWindowController::OnTabSelected() {
    ShowView(surface_.SelectedTab() - 1);
}

void MainWindowController::StatusTextChange(int index, const std::string& text) {
    status_.EngineText(index, text);
}

// Windows of the program are copies of it: each has its own views and work files.
void MainWindowController::NewWindowRequested(int index, const std::string& address, bool byUser) {
    if (index != kBrowserView) {
        return;
    }
    if (!byUser && !windowLimit_.Allow(WindowOpeningLimit::Clock::now())) {
        status_.Message(Translated("Blocked a window the page tried to open: {1}", {address}));
        return;
    }
    surface_.StartNewWindow(address);
}

void MainWindowController::ShowMessage(const std::string& text) {
    status_.Message(text);
}

void MainWindowController::UserAction() {
    status_.UserAction();
}

void MainWindowController::SetStatusText(const std::string& text) {
    ShowMessage(text);
}

void MainWindowController::SetProgress(float max, float value) {
    surface_.SetProgress(max, value);
}

void MainWindowController::CallSoon(std::function<void()> step) {
    surface_.CallSoon(std::move(step));
}

// A ProgressMax of 0 leaves the bar as it was; a negative one would put Max below the
// bar's Min of 0 and is ignored the same way.
void MainWindowController::ProgressChange(int index, std::int32_t progress,
                                          std::int32_t progressMax) {
    if (index != kBrowserView || progressMax <= 0) {
        return;
    }
    const bool inRange = progress > 0 && progress <= progressMax;
    surface_.SetProgress(static_cast<float>(progressMax),
                         inRange ? static_cast<float>(progress) : kProgressEmpty);
}

// Every download of the Browser view is analysed, however it ended (finished, failed,
// stopped); the views' own downloads of the generated pages never are. The progress bar
// empties, as nothing loads any more: a full bar would say a load is on.
void MainWindowController::LoadFinished(int index) {
    if (index == kBrowserView) {
        surface_.SetProgress(kProgressMax, kProgressEmpty);
        // A page shown in place of one that could not be opened says why, and that lasts.
        if (const std::string ownPage = views_.Browser().OwnPageStatus(); !ownPage.empty()) {
            status_.Message(ownPage);
        }
        // The Original Source view asks the engine first: when it is shown, the user is
        // looking at it, and the engine answers in the order it is asked.
        servedSourceFollower_.OnPageLoaded();
        analysis_.Run();
    } else if (index > kBrowserView && index < WindowViews::kElementCount) {
        analysis_.ViewLoaded(index);
    }
}

// The page's bytes are in long before its pictures, scripts and layout let its load end: the
// Original Source view shows them at once.
void MainWindowController::MainResourceFinished(int index) {
    if (index == kBrowserView) {
        servedSourceFollower_.OnMainResourceFinished();
    }
}

// The event's text is not used: the caption takes the element's current title, and the
// address box its current address unless the user is typing in it. A typed address that
// could not be opened stays in the box as typed, so the user can mend it.
void MainWindowController::TitleChange(int index, const std::string& /*text*/) {
    if (index != kBrowserView) {
        return;
    }
    const BrowserViewElement& browser = views_.Browser();
    const std::string& typed = navigation_.TypedAddress();
    const bool typedFailed = !browser.OwnPageStatus().empty() && !typed.empty() &&
                             SameAddress(AddressToLoad(TypedAddress(typed)), browser.Address());
    addressBox_.Follow(typedFailed ? typed : browser.Address());
    surface_.SetCaption(StartCaption() + " - " + browser.Title());
}

}  // namespace quorvane
