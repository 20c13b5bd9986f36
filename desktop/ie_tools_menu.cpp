#include "desktop/ie_tools_menu.h"

#include "desktop/file_exists.h"
#include "desktop/registry.h"

namespace quorvane {

namespace {

// The folder part of a full path, without the trailing separator.
std::string FolderOf(const std::string& path) {
    const auto separator = path.rfind('/');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> IEToolsMenuValues(const std::string& programPath,
                                                                   const std::string& productName) {
    const std::string folder = FolderOf(programPath);
    const std::string hotIcon = folder + "/hoticon.ico";
    const std::string icon = folder + "/icon.ico";
    const std::string exec = folder + "/" + ExtractFileName(programPath);
    return {
        {"ButtonText", productName},    {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
        {"Default Visible", "Yes"},     {"Exec", exec},
        {"HotIcon", hotIcon},           {"Icon", icon},
        {"MenuStatusBar", productName}, {"MenuText", "&" + productName},
    };
}

void AddToIEToolsMenu(RegistryStore& root, const std::string& programPath,
                      const std::string& productName) {
    for (const auto& [name, content] : IEToolsMenuValues(programPath, productName)) {
        // Each write stands alone: one that fails must not keep the rest from trying.
        SetRegistryString(root, kIEToolsMenuKey, name, content);
    }
}

void RemoveFromIEToolsMenu(RegistryStore& root) {
    DeleteRegistryEntry(root, kIEToolsMenuKey, "");
}

ToolsMenuItems ClickToolsMenuItem(ToolsMenuItem item, RegistryStore& root,
                                  const std::string& programPath, const std::string& productName) {
    if (item == ToolsMenuItem::Add) {
        AddToIEToolsMenu(root, programPath, productName);
        return {.addEnabled = false, .removeEnabled = true};
    }
    RemoveFromIEToolsMenu(root);
    return {.addEnabled = true, .removeEnabled = false};
}

}  // namespace quorvane
