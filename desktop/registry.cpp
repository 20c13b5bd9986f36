#include "desktop/registry.h"

namespace quorvane {

namespace {

std::string ValueNameInStore(const std::string& valueName) {
    return valueName == "*" ? std::string() : valueName;
}

}  // namespace

std::string TrimKeySlashes(const std::string& keyPath) {
    std::string path = keyPath;
    if (!path.empty() && path.front() == '\\') {
        path.erase(0, 1);
    }
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

bool SetRegistryString(RegistryStore& root, const std::string& keyPath,
                       const std::string& valueName, const std::string& valueText) {
    const std::string path = TrimKeySlashes(keyPath);
    if (!root.CreateKey(path)) {
        return false;
    }
    return root.SetValue(path, ValueNameInStore(valueName), valueText);
}

bool DeleteRegistryEntry(RegistryStore& root, const std::string& keyPath,
                         const std::string& valueName) {
    const std::string path = TrimKeySlashes(keyPath);
    if (valueName.empty()) {
        return root.DeleteKey(path);
    }
    return root.DeleteValue(path, ValueNameInStore(valueName));
}

}  // namespace quorvane
