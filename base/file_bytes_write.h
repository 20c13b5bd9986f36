#pragma once

#include <filesystem>
#include <string_view>

namespace quorvane {

// Writes bytes into the existing file path, in place of what it held. Throws
// std::system_error with the system's reason (a full disk, a file too large).
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorvane
