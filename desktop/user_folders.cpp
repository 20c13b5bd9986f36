#include "desktop/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

fs::path XdgFolder(const char* variable, const fs::path& fallbackBelowHome) {
    const char* folder = std::getenv(variable);
    if (folder != nullptr && folder[0] == '/') {
        return folder;
    }
    return UserHomeFolder() / fallbackBelowHome;
}

}  // namespace

// Without HOME (a service, a cleared environment) the files would otherwise land in
// whatever folder the program was started from.
fs::path UserHomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path("/");
}

fs::path UserDataHome() {
    return XdgFolder("XDG_DATA_HOME", fs::path(".local") / "share");
}

fs::path UserConfigHome() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

}  // namespace quorvane
