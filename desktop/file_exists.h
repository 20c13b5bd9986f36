#pragma once

#include <string>

namespace quorvane {

// The text after the last path separator ("/" here); the whole text when it has none.
std::string ExtractFileName(const std::string& path);

// True only for an existing ordinary file that is not hidden (its name does not begin
// with "."). Directories, missing files, names with wildcard characters and any error
// give false. Names compare as the file system compares them (case-sensitive here).
bool FileExists(const std::string& path);

}  // namespace quorvane
