// The commands that act on the visible view's page rather than on navigation: find,
// zoom and "Save Images…".
#include <optional>
#include <string>

#include "desktop/user_folders.h"
#include "engine/zoom_ladder.h"
#include "main_window/main_window_controller.h"
#include "saving/images_to_save.h"

namespace quorvane {

void MainWindowController::Find(const std::string& text, bool matchCase) {
    Find(text, SourceFindOptions{.matchCase = matchCase});
}

void MainWindowController::Find(const std::string& text, const SourceFindOptions& options) {
    openSearch_ = text.empty() ? std::nullopt : std::optional(OpenSearch{text, options});
    if (VisibleView() == kServedSourceView) {
        SearchServedSource();
    } else {
        find_.Search(*views_[VisibleView()], text, options.matchCase);
    }
}

void MainWindowController::SearchServedSource() {
    if (!openSearch_) {
        servedSource_.EndFind();
        surface_.SetFindStatus({});
        return;
    }
    sourceMatches_ =
        servedSource_.Find(openSearch_->text, openSearch_->options, FindInPage::kMaxMatches);
    servedSourceSearched_ = true;
    ShowServedSourceFindStatus();
}

void MainWindowController::ShowServedSourceFindStatus() {
    surface_.SetFindStatus(SourceFindStatusText(sourceMatches_, servedSource_.CurrentMatch(),
                                                FindInPage::kMaxMatches));
}

void MainWindowController::FindNext() {
    if (VisibleView() == kServedSourceView) {
        servedSource_.FindNext();
        ShowServedSourceFindStatus();
    } else {
        find_.Next();
    }
}

void MainWindowController::FindPrevious() {
    if (VisibleView() == kServedSourceView) {
        servedSource_.FindPrevious();
        ShowServedSourceFindStatus();
    } else {
        find_.Previous();
    }
}

void MainWindowController::EndFind() {
    openSearch_.reset();
    find_.End();
    servedSource_.EndFind();
    servedSourceSearched_ = false;
}

double MainWindowController::VisibleZoomLevel() const {
    const int visible = VisibleView();
    return visible == kServedSourceView ? servedSource_.ZoomLevel() : views_[visible]->ZoomLevel();
}

// The level is said at once: the view's new size alone does not tell where it stands.
void MainWindowController::SetVisibleZoomLevel(double level) {
    const int visible = VisibleView();
    if (visible == kServedSourceView) {
        servedSource_.SetZoomLevel(level);
    } else {
        views_[visible]->SetZoomLevel(level);
    }
    status_.Message("Zoom " + ZoomPercent(level));
}

void MainWindowController::ZoomIn() {
    SetVisibleZoomLevel(ZoomedIn(VisibleZoomLevel()));
}

void MainWindowController::ZoomOut() {
    SetVisibleZoomLevel(ZoomedOut(VisibleZoomLevel()));
}

void MainWindowController::ActualSize() {
    SetVisibleZoomLevel(kActualSize);
}

bool MainWindowController::CanSaveImages() const {
    return !lists_.imageTags.addresses.empty() && !saving_.Running();
}

void MainWindowController::SaveImages() {
    if (!CanSaveImages()) {
        return;
    }
    // The list is taken before the dialog: a page that finishes loading meanwhile
    // changes the Images view, not what the user asked to save.
    std::vector<ImageToSave> images = ImagesToSave(lists_.imageTags.addresses);
    const std::optional<std::string> folder =
        surface_.ChooseFolderToSaveImages(UserDownloadFolder().string());
    if (folder && !folder->empty()) {
        saving_.Start(std::move(images), *folder);
    }
}

}  // namespace quorvane
