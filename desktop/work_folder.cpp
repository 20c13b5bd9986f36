#include "desktop/work_folder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "desktop/program_folder.h"
#include "desktop/translation.h"

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
    std::error_code ignored;
    // The first error is the one that says why: the steps after it fail only because of it.
    const fs::path own = privateFolders / std::to_string(::getpid());
    if (fs::create_directories(privateFolders, error); !error) {
        fs::permissions(privateFolders, fs::perms::owner_all, ignored);
        RemoveLeftBehind(privateFolders);
        fs::remove_all(own, ignored);
        if (!fs::create_directory(own, error) && !error) {
            error = std::make_error_code(std::errc::file_exists);
        }
    }
    if (error) {
        throw std::runtime_error(
            Translated("Cannot make a work folder of this copy's own in {1}: {2}",
                       {privateFolders.string(), error.message()}));
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
// outlives the session, where the data folder is the one this program falls back to. A
// runtime folder this user cannot write (read-only, or another user's) is passed over as
// if it were not set.
fs::path PrivateWorkFolders(const std::string& productName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime != nullptr && runtime[0] == '/' && fs::is_directory(runtime, error) &&
        ::access(runtime, W_OK | X_OK) == 0) {
        return fs::path(runtime) / productName;
    }
    return UserDataFolder(productName) / "copies";
}

}  // namespace quorvane
