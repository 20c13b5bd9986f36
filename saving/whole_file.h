#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// Writes bytes into folder under name, or under the first free "name (n).ext" when that is
// taken, whole or not at all (a PartialFile), and returns where the file now is. Throws
// std::system_error when the folder cannot be written.

std::filesystem::path SaveWholeFile(const std::filesystem::path& folder, const std::string& name,
                                    std::string_view bytes);

}  // namespace quorvane
