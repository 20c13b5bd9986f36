#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// The folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// The full path of the running executable.
std::string ProgramPath();

// Where the work files live: the program folder when it can be written, otherwise
// "<data home>/<productName>" (created on demand), where the data home is
// $XDG_DATA_HOME or ~/.local/share. Throws std::runtime_error naming the error when
// neither can be written.
std::string ChooseWorkFolder(const std::string& programFolder, const std::string& productName);

// The per-user data folder for productName, following the XDG base directory rules.
std::filesystem::path UserDataFolder(const std::string& productName);

}  // namespace quorvane
