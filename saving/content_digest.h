#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A digest of bytes (SHA-256, in hex): two files of one digest hold the same bytes.
std::string BytesDigest(std::string_view bytes);
// The digest of the file's bytes, read a piece at a time; nullopt when it cannot be read.
std::optional<std::string> FileDigest(const std::filesystem::path& file);

}  // namespace quorvane
