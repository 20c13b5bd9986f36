#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "desktop/registry_file.h"

namespace quorvane {

// The root keys that have a store of their own.
enum class RootKey { LocalMachine, CurrentUser };

// A small registry of our own: one key file per root key holding keys (paths with
// backslash separators) and their string values, which must be UTF-8. Every call reads the file and
// every change rewrites it whole, under a lock on the store's folder, so nothing is held open
// between calls and changes made at the same time are all kept. Key and value names compare without
// regard to letter case; an empty value name is the key's default value. Failures are reported only
// through the results. A store whose file does not parse is read as far as it goes, and every
// change to it fails, leaving the file as it is.
class RegistryStore {
  public:
    explicit RegistryStore(std::filesystem::path file);

    // The store of a root key: HKEY_LOCAL_MACHINE's is machine-wide under /etc (an
    // ordinary user cannot change it), HKEY_CURRENT_USER's is in the user's config home.
    static RegistryStore ForRoot(RootKey root);

    const std::filesystem::path& File() const { return file_; }

    // Creates the key and every missing key on its path. False when the path is not
    // a valid key path or the file cannot be written.
    bool CreateKey(const std::string& keyPath);
    // Writes a value into an existing key; false when the key does not exist or the
    // text is not UTF-8.
    bool SetValue(const std::string& keyPath, const std::string& valueName,
                  const std::string& text);
    bool DeleteValue(const std::string& keyPath, const std::string& valueName);
    // Deletes a key that has no sub-keys; its parents stay.
    bool DeleteKey(const std::string& keyPath);

    bool KeyExists(const std::string& keyPath) const;
    std::optional<std::string> Value(const std::string& keyPath,
                                     const std::string& valueName) const;
    // Value names of the key in the order they were first written.
    std::vector<std::string> ValueNames(const std::string& keyPath) const;

  private:
    // What a change made of the keys: nothing, because there was nothing to do (the
    // call succeeds) or because it cannot be done (it fails), or something to write.
    enum class Edit { Unchanged, Refused, Changed };
    bool Update(const std::function<Edit(RegistryKeys&)>& edit);

    std::filesystem::path file_;
};

}  // namespace quorvane
