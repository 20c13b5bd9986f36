#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorvane {

// The user's home folder: $HOME, or the user database's entry when HOME is not set.
std::filesystem::path UserHomeFolder();

// Where per-user files go, by the XDG base directory rules: $XDG_DATA_HOME or
// ~/.local/share, and $XDG_CONFIG_HOME or ~/.config. A relative setting is ignored.
std::filesystem::path UserDataHome();
std::filesystem::path UserConfigHome();

// The user's download folder: $XDG_DOWNLOAD_DIR when it is an absolute path, else the
// XDG_DOWNLOAD_DIR entry of user-dirs.dirs in UserConfigHome(), else ~/Downloads. The
// folder may not exist yet.
std::filesystem::path UserDownloadFolder();

// The folder that the line "<key>=..." of a user-dirs.dirs file names, with $HOME
// replaced by home; nullopt when no line names key or its value is neither absolute
// nor below $HOME. Like the shell that the file is written for, a later line wins.
std::optional<std::filesystem::path> UserDirsEntry(std::string_view fileText, std::string_view key,
                                                   const std::filesystem::path& home);

}  // namespace quorvane
