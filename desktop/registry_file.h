#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {

// The contents of a registry store's file: keys in file order, each with its values
// in the order they were first written.
struct RegistryKey {
    std::string path;
    std::vector<std::pair<std::string, std::string>> values;
};
using RegistryKeys = std::vector<RegistryKey>;

// Text form, one key per section:
//   [Software\Some Key]
//   "Name"="Text"
//   @="Default value text"
// Backslash, quote, CR and LF inside names and texts are escaped with a backslash.
// Lines that do not parse are skipped, so a damaged file loses only those lines.
RegistryKeys ParseRegistryText(const std::string& text);
std::string FormatRegistryText(const RegistryKeys& keys);

// A registry holds a few keys: a file larger than this is no registry of ours, and is
// read as damaged rather than loaded whole.
inline constexpr std::size_t kMaxRegistryFileSize = 4 * 1024 * 1024;

// A missing file reads as an empty registry; nullopt when it exists but can't be read.
// Anything but an ordinary file of at most kMaxRegistryFileSize bytes reads as damaged:
// empty, as a damaged line reads as nothing.
std::optional<RegistryKeys> ReadRegistryFile(const std::filesystem::path& file);
// Writes a new file beside the old one and renames it over, so a failed write never
// leaves a half-written registry.
bool WriteRegistryFile(const std::filesystem::path& file, const RegistryKeys& keys);

}  // namespace quorvane
