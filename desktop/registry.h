#pragma once

#include <string>

#include "desktop/registry_store.h"

namespace quorvane {

// The registry helpers over a root key's store. Key paths use backslash separators
// and are relative to the root; the value name "*" stands for the key's default
// value. Failure shows only in the result.

// Drops one leading and one trailing backslash, at most one at each end.
std::string TrimKeySlashes(const std::string& keyPath);

// Creates the key with its missing parents and writes the value. True when written.
bool SetRegistryString(RegistryStore& root, const std::string& keyPath,
                       const std::string& valueName, const std::string& valueText);

// Deletes one value, or the whole key when valueName is empty. True when deleted.
bool DeleteRegistryEntry(RegistryStore& root, const std::string& keyPath,
                         const std::string& valueName);

}  // namespace quorvane
