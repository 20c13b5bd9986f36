#include "main_window/save_commands.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "desktop/translation.h"
#include "desktop/user_folders.h"
#include "saving/served_source_file_name.h"
#include "saving/images_to_save.h"
#include "saving/partial_file.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"
#include "saving/whole_file.h"
#include "saving/whole_page_file.h"

namespace quorvane {

SaveCommands::SaveCommands(WindowViews& views, MainWindowSurface& surface, TransferReport& report,
                           const AnalysisLists& lists, OrderedWorker::ToWindowThread toWindowThread)
    : views_(views),
      surface_(surface),
      lists_(lists),
      saving_(report, views.Browser(), std::move(toWindowThread)) {}

bool SaveCommands::CanSaveImages() const {
    return !lists_.imageTags.addresses.empty() && !saving_.Running();
}

void SaveCommands::SaveImages() {
    if (!CanSaveImages()) {
        return;
    }
    // The list is taken before the dialog: a page that finishes loading meanwhile
    // changes the Images view, not what the user asked to save.
    std::vector<ImageToSave> images = ImagesToSave(lists_.imageTags.addresses);
    const std::optional<ImagesDestination> destination =
        surface_.ChooseFolderToSaveImages(UserDownloadFolder().string());
    if (destination && !destination->folder.empty()) {
        saving_.Start(std::move(images), destination->folder, destination->conversion);
    }
}

void SaveCommands::SaveSource() {
    Save(Proposed::AsServed);
}

void SaveCommands::SavePage() {
    Save(Proposed::WholePage);
}

void SaveCommands::Save(Proposed proposed) {
    // The page of our own the Browser view shows for one that could not be opened is no
    // page a server sent.
    if (const std::string ownPage = views_.Browser().OwnPageStatus(); !ownPage.empty()) {
        surface_.SetStatusText(Translated("There is no page to save: {1}", {ownPage}));
        return;
    }
    views_.Browser().ReadMainResourceCopy([this, proposed](std::optional<ServedResource> resource) {
        if (!resource) {
            surface_.SetStatusText(Translated("There is no page to save"));
            return;
        }
        SaveChosen(*resource, proposed);
    });
}

void SaveCommands::SaveChosen(const ServedResource& resource, Proposed proposed) {
    std::string name =
        SafeFileName(ServedSourceFileName(resource.address, resource.mimeType), "index.html");
    if (proposed == Proposed::WholePage) {
        name = WholePageFileName(name);
    }
    const std::optional<std::string> chosen =
        surface_.ChooseFileToSaveSource(UserDownloadFolder().string(), name);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::filesystem::path path(*chosen);
    if (IsWholePageFileName(path.filename().string())) {
        SaveWholePage(path);
    } else {
        SaveSourceFile(path, resource);
    }
}

void SaveCommands::SaveSourceFile(const std::filesystem::path& path,
                                  const ServedResource& resource) {
    try {
        const std::filesystem::path saved =
            SaveWholeFile(path.parent_path(), path.filename().string(), resource.bytes);
        surface_.SetStatusText(SavedFileMessage(saved, UserHomeFolder()));
    } catch (const std::system_error& error) {
        surface_.SetStatusText(Translated("Could not save {1}: {2}",
                                          {path.filename().string(), error.code().message()}));
    }
}

void SaveCommands::SaveWholePage(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    std::shared_ptr<PartialFile> file;
    try {
        file = std::make_shared<PartialFile>(path.parent_path(), name);
    } catch (const std::system_error& error) {
        surface_.SetStatusText(
            Translated("Could not save {1}: {2}", {name, error.code().message()}));
        return;
    }
    surface_.SetStatusText(Translated("Saving {1}\u2026", {name}));
    views_.Browser().SavePageArchive(
        file->Path().string(), [this, file, name](std::optional<std::string> error) {
            if (error) {
                surface_.SetStatusText(Translated("Could not save {1}: {2}", {name, *error}));
                return;
            }
            try {
                const std::filesystem::path saved = file->Commit();
                surface_.SetStatusText(SavedWholePageMessage(
                    saved, std::filesystem::file_size(saved), UserHomeFolder()));
            } catch (const std::system_error& failure) {
                surface_.SetStatusText(
                    Translated("Could not save {1}: {2}", {name, failure.code().message()}));
            }
        });
}

}  // namespace quorvane
