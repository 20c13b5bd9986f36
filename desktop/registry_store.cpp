#include "desktop/registry_store.h"

#include <glib.h>

#include <algorithm>

#include "desktop/folder_lock.h"
#include "desktop/registry_file.h"
#include "desktop/registry_key_file.h"
#include "desktop/user_folders.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && g_ascii_strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

// A key path is a run of non-empty names separated by single backslashes; the empty
// path is the root itself.
bool ValidKeyPath(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    return path.front() != '\\' && path.back() != '\\' && path.find("\\\\") == std::string::npos &&
           path.find_first_of("\r\n") == std::string::npos;
}

RegistryKey* FindKey(RegistryKeys& keys, const std::string& path) {
    const auto found = std::find_if(
        keys.begin(), keys.end(), [&](const RegistryKey& key) { return SameName(key.path, path); });
    return found == keys.end() ? nullptr : &*found;
}

const RegistryKey* FindKey(const RegistryKeys& keys, const std::string& path) {
    return FindKey(const_cast<RegistryKeys&>(keys), path);
}

// What readers see: as much of a damaged store as parses.
std::optional<RegistryKeys> Load(const fs::path& file) {
    std::optional<RegistryContents> contents = ReadRegistryFile(file);
    return contents ? std::optional<RegistryKeys>(std::move(contents->keys)) : std::nullopt;
}

}  // namespace

RegistryStore::RegistryStore(fs::path file) : file_(std::move(file)) {}

RegistryStore RegistryStore::ForRoot(RootKey root) {
    if (root == RootKey::LocalMachine) {
        return RegistryStore("/etc/quorvane/registry/HKEY_LOCAL_MACHINE.reg");
    }
    return RegistryStore(UserConfigHome() / "quorvane" / "registry" / "HKEY_CURRENT_USER.reg");
}

// Every change reads the file, changes the keys and writes the file back while it holds
// the lock on the store's folder, so that two changes at the same time (two programs
// writing their entries) follow each other instead of one losing the other's.
bool RegistryStore::Update(const std::function<Edit(RegistryKeys&)>& edit) {
    std::error_code ignored;
    fs::create_directories(file_.parent_path(), ignored);
    const std::optional<FolderLock> lock = FolderLock::Take(file_.parent_path().string(), true);
    // A store that does not parse stays as it is: writing it back would lose every key
    // that did not parse.
    std::optional<RegistryContents> contents = ReadRegistryFile(file_);
    if (!contents || contents->damaged) {
        return false;
    }
    RegistryKeys& keys = contents->keys;
    switch (edit(keys)) {
        case Edit::Refused:
            return false;
        case Edit::Unchanged:
            return true;
        case Edit::Changed:
            break;
    }
    return WriteRegistryFile(file_, keys);
}

bool RegistryStore::CreateKey(const std::string& keyPath) {
    if (!ValidKeyPath(keyPath)) {
        return false;
    }
    return Update([&](RegistryKeys& keys) {
        if (keyPath.empty() || FindKey(keys, keyPath) != nullptr) {
            return Edit::Unchanged;
        }
        // Every key on the path exists as a key of its own, as a registry has it.
        for (std::size_t end = keyPath.find('\\');; end = keyPath.find('\\', end + 1)) {
            const std::string prefix = keyPath.substr(0, end);
            if (FindKey(keys, prefix) == nullptr) {
                keys.push_back({prefix, {}});
            }
            if (end == std::string::npos) {
                break;
            }
        }
        return Edit::Changed;
    });
}

bool RegistryStore::SetValue(const std::string& keyPath, const std::string& valueName,
                             const std::string& text) {
    if (!ValidKeyPath(keyPath) || !KeyFileCanHold(text)) {
        return false;
    }
    return Update([&](RegistryKeys& keys) {
        RegistryKey* key = FindKey(keys, keyPath);
        if (key == nullptr) {
            if (!keyPath.empty()) {
                return Edit::Refused;
            }
            keys.insert(keys.begin(), {"", {}});
            key = &keys.front();
        }
        const auto value =
            std::find_if(key->values.begin(), key->values.end(),
                         [&](const auto& entry) { return SameName(entry.first, valueName); });
        if (value == key->values.end()) {
            key->values.emplace_back(valueName, text);
        } else {
            value->second = text;
        }
        return Edit::Changed;
    });
}

bool RegistryStore::DeleteValue(const std::string& keyPath, const std::string& valueName) {
    return Update([&](RegistryKeys& keys) {
        RegistryKey* key = FindKey(keys, keyPath);
        const auto removed =
            key == nullptr ? 0 : std::erase_if(key->values, [&](const auto& entry) {
                return SameName(entry.first, valueName);
            });
        return removed > 0 ? Edit::Changed : Edit::Refused;
    });
}

bool RegistryStore::DeleteKey(const std::string& keyPath) {
    return Update([&](RegistryKeys& keys) {
        if (keyPath.empty() || FindKey(keys, keyPath) == nullptr) {
            return Edit::Refused;
        }
        const std::string childPrefix = keyPath + "\\";
        const bool hasSubKeys = std::any_of(keys.begin(), keys.end(), [&](const RegistryKey& key) {
            return key.path.size() > childPrefix.size() &&
                   SameName(key.path.substr(0, childPrefix.size()), childPrefix);
        });
        if (hasSubKeys) {
            return Edit::Refused;
        }
        std::erase_if(keys, [&](const RegistryKey& key) { return SameName(key.path, keyPath); });
        return Edit::Changed;
    });
}

bool RegistryStore::KeyExists(const std::string& keyPath) const {
    const auto keys = Load(file_);
    return keys && FindKey(*keys, keyPath) != nullptr;
}

std::optional<std::string> RegistryStore::Value(const std::string& keyPath,
                                                const std::string& valueName) const {
    const auto keys = Load(file_);
    const RegistryKey* key = keys ? FindKey(*keys, keyPath) : nullptr;
    if (key == nullptr) {
        return std::nullopt;
    }
    for (const auto& [name, text] : key->values) {
        if (SameName(name, valueName)) {
            return text;
        }
    }
    return std::nullopt;
}

std::vector<std::string> RegistryStore::ValueNames(const std::string& keyPath) const {
    const auto keys = Load(file_);
    const RegistryKey* key = keys ? FindKey(*keys, keyPath) : nullptr;
    std::vector<std::string> names;
    if (key != nullptr) {
        for (const auto& entry : key->values) {
            names.push_back(entry.first);
        }
    }
    return names;
}

}  // namespace quorvane
