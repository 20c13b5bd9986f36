#pragma once

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

// A missing file reads as an empty registry; nullopt when it exists but can't be read.
std::optional<RegistryKeys> ReadRegistryFile(const std::filesystem::path& file);
// Writes a new file beside the old one and renames it over, so a failed write never
// leaves a half-written registry.
bool WriteRegistryFile(const std::filesystem::path& file, const RegistryKeys& keys);

}  // namespace quorvane
