#include "main_window/main_window_controller.h"

#include <stdexcept>
#include <utility>

#include "analysis/work_files.h"
#include "branding/branding_values.h"

namespace quorvane {

namespace {

constexpr int kViewCount = 3;
constexpr int kEnterKey = 13;
// 0.01 rather than 0 gives a bar that looks empty.
constexpr float kProgressEmpty = 0.01f;
constexpr float kProgressMax = 100;

std::string StartCaption() {
    return strProductName + " by " + strCompanyName;
}

// Checked before anything changes, so a wrong view never leaves all three hidden.
void CheckView(int view) {
    if (view < 0 || view >= kViewCount) {
        throw std::out_of_range("no view " + std::to_string(view));
    }
}

}  // namespace

MainWindowController::MainWindowController(MainWindowSurface& surface, SideWindows& windows,
                                           const MakeViews& makeViews, std::string workFolder)
    : surface_(surface),
      windows_(windows),
      wb_(makeViews(*this)),
      workFolder_(std::move(workFolder)),
      find_([this](const std::string& status) { surface_.SetFindStatus(status); }),
      saving_(surface, *wb_[kBrowserView]) {}

// No step is guarded: a failure goes on to the caller, which ends the program with a
// message naming it, rather than showing a window whose views could never work.
void MainWindowController::Form_Load() {
    surface_.SetWindowIcon();
    surface_.SetWebsiteCaptions(strWebsite);
    surface_.SetCaption(StartCaption());
    if (windows_.ReadShowHelpSetting() == "1") {
        windows_.ShowHelp();
    }
    EnsureWorkFiles(workFolder_);
    // A Resize before this point may already have added the second panel.
    while (surface_.StatusPanelCount() < 2) {
        surface_.AddStatusPanel();
    }
    ShowView(kBrowserView);
    wb_[kBrowserView]->GoHome();
}

void MainWindowController::Form_Unload() {
    windows_.UnloadHelp();
    surface_.UnloadSplashWindow();
    for (BrowserElement* element : wb_) {
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
    for (BrowserElement* element : wb_) {
        element->SetVisible(false);
    }
    wb_[view]->SetVisible(true);
    find_.Follow(*wb_[view]);
}

void MainWindowController::SelectView(int view) {
    CheckView(view);
    for (BrowserElement* element : wb_) {
        element->SetVisible(false);
    }
    // Selecting a tab that was not selected runs the tab strip's Click, which shows
    // the same view; the element is made visible here either way.
    surface_.SelectTab(view + 1);
    wb_[view]->SetVisible(true);
    find_.Follow(*wb_[view]);
}

void MainWindowController::TabStrip1_Click() {
    ShowView(surface_.SelectedTab() - 1);
}

// With no element visible (only before start-up) the Browser view counts as visible.
int MainWindowController::VisibleView() const {
    int visible = kBrowserView;
    for (int i = 0; i < kViewCount; ++i) {
        if (wb_[i]->Visible()) {
            visible = i;
        }
    }
    return visible;
}

void MainWindowController::AddressKeyPress(int characterCode) {
    if (characterCode == kEnterKey) {
        Go();
    }
}

void MainWindowController::ViewMenuItemClick(int index) {
    if (index > 2) {
        VisitWebsite();
    } else if (index >= 0) {
        SelectView(index);
    }
}

void MainWindowController::VisitWebsite() {
    windows_.RunWebsiteCommand();
}

void MainWindowController::ShowHelp() {
    windows_.ShowHelp();
}

void MainWindowController::ShowAbout() {
    windows_.ShowAbout();
}

void MainWindowController::StatusTextChange(int /*index*/, const std::string& text) {
    surface_.SetStatusText(text);
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
void MainWindowController::DownloadComplete(int index) {
    if (index == kBrowserView) {
        surface_.SetProgress(kProgressMax, kProgressEmpty);
        AnalysePage();
    } else if (index > kBrowserView && index < kViewCount) {
        ShowAnalysisNoteAfterLoad(index);
    }
}

// The event's text is not used: the caption takes the element's current title, and the
// address box its current address even while the user types in it.
void MainWindowController::TitleChange(int index, const std::string& /*text*/) {
    if (index != kBrowserView) {
        return;
    }
    const BrowserElement& browser = *wb_[kBrowserView];
    surface_.SetAddressText(browser.LocationURL());
    surface_.SetCaption(StartCaption() + " - " + browser.LocationName());
}

}  // namespace quorvane
