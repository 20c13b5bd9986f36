#include "desktop/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace quorvane {

namespace fs = std::filesystem;

std::string ProgramPath() {
    return fs::read_symlink("/proc/self/exe").string();
}

std::string ProgramFolder() {
    return fs::path(ProgramPath()).parent_path().string();
}

fs::path UserDataFolder(const std::string& productName) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return fs::path(dataHome) / productName;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "") / ".local" / "share" / productName;
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
    throw std::runtime_error("Cannot write the work files to " + programFolder + " or " +
                             userFolder.string() + ": " + error.message());
}

}  // namespace quorvane
