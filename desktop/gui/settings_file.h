#pragma once

#include <wx/fileconf.h>

#include <filesystem>
#include <memory>

namespace quorvane {

// The user's settings file opened as a store, its folder made first when it is missing.
// Each remembered choice opens it, reads or writes, and lets it go, so that two windows
// of the program never hold stale copies of each other's choices.
std::unique_ptr<wxFileConfig> OpenSettingsFile(const std::filesystem::path& file);

}  // namespace quorvane
