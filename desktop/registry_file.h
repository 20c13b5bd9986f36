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

// The keys of a file's text, and whether some of it did not parse. A damaged store is
// read as far as it goes but never written over: a write would lose what did not parse.
struct RegistryContents {
    RegistryKeys keys;
    bool damaged = false;
};

// Files are key files (registry_key_file.h); a text in the earlier form, which still
// reads, has one key per section:
//   [Software\Some Key]
//   "Name"="Text"
//   @="Default value text"
// with backslash, quote, CR and LF inside names and texts escaped with a backslash.
// Its lines that do not parse are skipped, so a damaged file reads but those lines.
RegistryContents ParseRegistryText(const std::string& text);

// A registry holds a few keys: a file larger than this is no registry of ours, and is
// read as damaged rather than loaded whole.
inline constexpr std::size_t kMaxRegistryFileSize = 4 * 1024 * 1024;

// A missing file reads as an empty registry; nullopt when it exists but can't be read.
// Anything but an ordinary file of at most kMaxRegistryFileSize bytes reads as damaged
// and empty.
std::optional<RegistryContents> ReadRegistryFile(const std::filesystem::path& file);
// Writes the keys as a key file, through a new file beside the old one that is renamed
// over it, so a failed write never leaves a half-written registry.
bool WriteRegistryFile(const std::filesystem::path& file, const RegistryKeys& keys);

}  // namespace quorvane
