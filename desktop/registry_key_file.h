#pragma once

#include <optional>
#include <string>

#include "desktop/registry_file.h"

namespace quorvane {

// A registry store's file as a key file that GLib's GKeyFile reads and writes, one
// group per key after a header group of its own:
//   [Quorvane registry]
//   Format=1
//
//   [Software\Some%20Key]
//   Name=Text
//   @=Default value text
// Key paths and value names are escaped as in URIs wherever a key file could not hold
// them as they are (a blank, "%", "=", "[", "]", "#", "@", control characters, bytes
// that are not UTF-8), and "@" stands for the empty name: the root key, or a key's
// default value. Texts are UTF-8, escaped by the key file itself.
inline constexpr char kRegistryKeyFileHeader[] = "Quorvane registry";

// Whether a text can be a value in the file.
bool KeyFileCanHold(const std::string& text);

// The keys of a key file's text, nullopt when it is not a key file of ours; a name or
// text that does not decode is skipped.
std::optional<RegistryKeys> ParseRegistryKeyFile(const std::string& text);
std::string FormatRegistryKeyFile(const RegistryKeys& keys);

}  // namespace quorvane
