#include "desktop/program_folder.h"

#include <unistd.h>

#include <stdexcept>
#include <system_error>

#include "desktop/translation.h"
#include "desktop/user_folders.h"

namespace quorvane {

namespace fs = std::filesystem;

std::string ProgramPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

std::string ProgramFolder() {
    return fs::path(ProgramPath()).parent_path().string();
}

fs::path UserDataFolder(const std::string& productName) {
    return UserDataHome() / productName;
}

std::string ChooseWorkFolder(const std::string& programFolder, const std::string& productName) {
    if (::access(programFolder.c_str(), W_OK) == 0) {
        return programFolder;
    }
    const fs::path userFolder = UserDataFolder(productName);
    std::error_code error;
    fs::create_directories(userFolder, error);
    if (!error && ::access(userFolder.c_str(), W_OK) == 0) {
        return userFolder.string();
    }
    if (!error) {
        error = std::error_code(errno, std::generic_category());
    }
    throw std::runtime_error(Translated("Cannot write the work files to {1} or {2}: {3}",
                                        {programFolder, userFolder.string(), error.message()}));
}

}  // namespace quorvane
