// The commands of the "Original Source" view: saving the page as the server sent it, and
// following its links.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "desktop/user_folders.h"
#include "inspection/served_source_file_name.h"
#include "main_window/main_window_controller.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"
#include "saving/whole_file.h"

namespace quorvane {

void MainWindowController::SaveSource() {
    views_[kBrowserView]->FetchMainResource([this](std::optional<ServedResource> resource) {
        if (!resource) {
            surface_.SetStatusText("There is no page to save");
            return;
        }
        SaveSourceFile(*resource);
    });
}

void MainWindowController::SaveSourceFile(const ServedResource& resource) {
    const std::string name =
        SafeFileName(ServedSourceFileName(resource.address, resource.mimeType), "index.html");
    const std::optional<std::string> chosen =
        surface_.ChooseFileToSaveSource(UserDownloadFolder().string(), name);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::filesystem::path path(*chosen);
    try {
        const std::filesystem::path saved =
            SaveWholeFile(path.parent_path(), path.filename().string(), resource.bytes);
        surface_.SetStatusText(SavedFileMessage(saved, UserHomeFolder()));
    } catch (const std::system_error& error) {
        surface_.SetStatusText("Could not save " + path.filename().string() + ": " +
                               error.code().message());
    }
}

void MainWindowController::FollowSourceLink(const std::string& target, bool ownSource) {
    views_[kBrowserView]->Navigate(target);
    if (!ownSource) {
        SelectView(kBrowserView);
    }
}

}  // namespace quorvane
