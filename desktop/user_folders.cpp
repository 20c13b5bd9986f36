#include "desktop/user_folders.h"

#include <glib.h>

#include <cstdlib>
#include <optional>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// GLib reads the environment once per process and keeps what it found. An absolute
// setting in the environment comes first, so that a process (a test) that changes it
// later is followed.
std::optional<fs::path> AbsoluteSetting(const char* variable) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return fs::path(value);
    }
    return std::nullopt;
}

}  // namespace

// Without HOME (a service, a cleared environment) GLib takes the user database's entry.
fs::path UserHomeFolder() {
    return AbsoluteSetting("HOME").value_or(g_get_home_dir());
}

fs::path UserDataHome() {
    return AbsoluteSetting("XDG_DATA_HOME").value_or(g_get_user_data_dir());
}

fs::path UserConfigHome() {
    return AbsoluteSetting("XDG_CONFIG_HOME").value_or(g_get_user_config_dir());
}

fs::path UserDownloadFolder() {
    if (auto variable = AbsoluteSetting("XDG_DOWNLOAD_DIR")) {
        return *variable;
    }
    const gchar* folder = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    return folder != nullptr ? fs::path(folder) : UserHomeFolder() / "Downloads";
}

}  // namespace quorvane
