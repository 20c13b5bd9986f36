#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "desktop/folder_lock.h"

namespace quorvane {

// The folder a run writes its work files to, owned by that run until it ends: two
// copies of the program never write into each other's pages.
class WorkFolder {
  public:
    // folder (the one ChooseWorkFolder gives) when no other run owns it. Otherwise a
    // folder of this process's own below privateFolders, made now and removed with
    // everything in it when the run ends; folders that earlier runs left there when
    // they did not end properly are removed first. Throws std::runtime_error naming the
    // error when no folder of its own can be made.
    static WorkFolder ForRun(const std::string& folder,
                             const std::filesystem::path& privateFolders);

    const std::string& Path() const { return path_; }

    ~WorkFolder();
    WorkFolder(WorkFolder&& other) noexcept;
    WorkFolder& operator=(WorkFolder&&) = delete;
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

  private:
    WorkFolder(std::string path, std::optional<FolderLock> lock, bool removeAtEnd);

    std::string path_;
    std::optional<FolderLock> lock_;
    bool removeAtEnd_ = false;
};

// Where the folders of the copies that find the work folder owned go:
// "$XDG_RUNTIME_DIR/<productName>", or "<the per-user data folder>/copies" without one.
std::filesystem::path PrivateWorkFolders(const std::string& productName);

}  // namespace quorvane
