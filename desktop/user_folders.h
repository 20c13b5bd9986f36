#pragma once

#include <filesystem>

namespace quorvane {

// The platform's folders, from GLib. An absolute setting in the environment ($HOME,
// $XDG_DATA_HOME, $XDG_CONFIG_HOME, $XDG_DOWNLOAD_DIR) is read anew on every call; a
// relative one is ignored.

// The user's home folder: $HOME, or the user database's entry without it.
std::filesystem::path UserHomeFolder();

// Where per-user files go, by the XDG base directory rules: $XDG_DATA_HOME or
// ~/.local/share, and $XDG_CONFIG_HOME or ~/.config.
std::filesystem::path UserDataHome();
std::filesystem::path UserConfigHome();

// The user's download folder: $XDG_DOWNLOAD_DIR, else the one user-dirs.dirs names,
// else ~/Downloads. The folder may not exist yet.
std::filesystem::path UserDownloadFolder();

}  // namespace quorvane
