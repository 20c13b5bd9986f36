// The commands that act on the visible view's page rather than on navigation: find,
// zoom and "Save Images…".
#include <optional>
#include <string>

#include "desktop/user_folders.h"
#include "main_window/main_window_controller.h"
#include "main_window/zoom_ladder.h"
#include "saving/images_to_save.h"

namespace quorvane {

void MainWindowController::Find(const std::string& text, bool matchCase) {
    find_.Search(*views_[VisibleView()], text, matchCase);
}

void MainWindowController::FindNext() {
    find_.Next();
}

void MainWindowController::FindPrevious() {
    find_.Previous();
}

void MainWindowController::EndFind() {
    find_.End();
}

void MainWindowController::ZoomIn() {
    BrowserElement& view = *views_[VisibleView()];
    SetVisibleZoom(ZoomedIn(view.ZoomLevel()));
}

void MainWindowController::ZoomOut() {
    BrowserElement& view = *views_[VisibleView()];
    SetVisibleZoom(ZoomedOut(view.ZoomLevel()));
}

void MainWindowController::ActualSize() {
    SetVisibleZoom(kActualSize);
}

double MainWindowController::VisibleZoomLevel() const {
    return views_[VisibleView()]->ZoomLevel();
}

// The level is said at once: the view's new size alone does not tell where it stands.
void MainWindowController::SetVisibleZoom(double level) {
    views_[VisibleView()]->SetZoomLevel(level);
    status_.Message("Zoom " + ZoomPercent(level));
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
