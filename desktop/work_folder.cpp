#include "desktop/work_folder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "desktop/program_folder.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// A folder named after a process that has ended and whose lock nobody holds: what a
// copy left behind when it did not end properly.
bool IsLeftBehind(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos ||
        name.size() > 9 || !entry.is_directory()) {
        return false;
    }
    const pid_t pid = static_cast<pid_t>(std::stol(name));
    if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) {
        return false;
    }
    return FolderLock::Take(entry.path().string(), false).has_value();
}

void RemoveLeftBehind(const fs::path& privateFolders) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(privateFolders, error)) {
        if (IsLeftBehind(entry)) {
            fs::remove_all(entry.path(), error);
        }
    }
}

}  // namespace

WorkFolder::WorkFolder(std::string path, std::optional<FolderLock> lock, bool removeAtEnd)
    : path_(std::move(path)), lock_(std::move(lock)), removeAtEnd_(removeAtEnd) {}

WorkFolder WorkFolder::ForRun(const std::string& folder, const fs::path& privateFolders) {
    std::optional<FolderLock> lock = FolderLock::Take(folder, false);
    if (lock) {
        return WorkFolder(folder, std::move(lock), false);
    }
    std::error_code error;
    fs::create_directories(privateFolders, error);
    fs::permissions(privateFolders, fs::perms::owner_all, error);
    RemoveLeftBehind(privateFolders);
    const fs::path own = privateFolders / std::to_string(::getpid());
    fs::remove_all(own, error);
    if (!fs::create_directory(own, error) || error) {
        throw std::runtime_error("Cannot make a work folder of this copy's own in " +
                                 privateFolders.string() + ": " + error.message());
    }
    return WorkFolder(own.string(), FolderLock::Take(own.string(), false), true);
}

WorkFolder::~WorkFolder() {
    if (removeAtEnd_) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
}

WorkFolder::WorkFolder(WorkFolder&& other) noexcept
    : path_(std::move(other.path_)),
      lock_(std::move(other.lock_)),
      removeAtEnd_(std::exchange(other.removeAtEnd_, false)) {}

// Not g_get_user_runtime_dir: without a runtime folder it gives the cache folder, which
// outlives the session, where the data folder is the one this program falls back to.
fs::path PrivateWorkFolders(const std::string& productName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime != nullptr && runtime[0] == '/' && fs::is_directory(runtime, error)) {
        return fs::path(runtime) / productName;
    }
    return UserDataFolder(productName) / "copies";
}

}  // namespace quorvane
