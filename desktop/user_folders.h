#pragma once

#include <filesystem>

namespace quorvane {

// The user's home folder: $HOME, or the user database's entry when HOME is not set.
std::filesystem::path UserHomeFolder();

// Where per-user files go, by the XDG base directory rules: $XDG_DATA_HOME or
// ~/.local/share, and $XDG_CONFIG_HOME or ~/.config. A relative setting is ignored.
std::filesystem::path UserDataHome();
std::filesystem::path UserConfigHome();

}  // namespace quorvane
