#include "desktop/ie_tools_menu.h"

#include "desktop/file_exists.h"
#include "desktop/registry.h"
#include "desktop/translation.h"
#include "desktop/write_access.h"

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

bool AddToIEToolsMenu(RegistryStore& root, const std::string& programPath,
                      const std::string& productName) {
    bool allWritten = true;
    for (const auto& [name, content] : IEToolsMenuValues(programPath, productName)) {
        // Each write stands alone: one that fails must not keep the rest from trying.
        allWritten = SetRegistryString(root, kIEToolsMenuKey, name, content) && allWritten;
    }
    return allWritten;
}

bool RemoveFromIEToolsMenu(RegistryStore& root) {
    return DeleteRegistryEntry(root, kIEToolsMenuKey, "") || !root.KeyExists(kIEToolsMenuKey);
}

namespace {

// "Could not add Quorvane to the IE Tools menu: /etc/…/HKEY_LOCAL_MACHINE.reg cannot be
// written (Permission denied)"
std::string ToolsMenuFailure(ToolsMenuItem item, const std::string& productName,
                             const RegistryStore& root) {
    const std::string reason = WhyNotWritable(root.File());
    const std::string file = root.File().string();
    if (item == ToolsMenuItem::Add) {
        return reason.empty()
                   ? Translated("Could not add {1} to the IE Tools menu: {2} cannot be written",
                                {productName, file})
                   : Translated(
                         "Could not add {1} to the IE Tools menu: {2} cannot be written "
                         "({3})",
                         {productName, file, reason});
    }
    return reason.empty()
               ? Translated("Could not remove {1} from the IE Tools menu: {2} cannot be written",
                            {productName, file})
               : Translated(
                     "Could not remove {1} from the IE Tools menu: {2} cannot be written "
                     "({3})",
                     {productName, file, reason});
}

}  // namespace

ToolsMenuClick ClickToolsMenuItem(ToolsMenuItem item, ToolsMenuItems items, RegistryStore& root,
                                  const std::string& programPath, const std::string& productName) {
    if (item == ToolsMenuItem::Add) {
        if (!AddToIEToolsMenu(root, programPath, productName)) {
            return {items, ToolsMenuFailure(ToolsMenuItem::Add, productName, root)};
        }
        return {{.addEnabled = false, .removeEnabled = true}, {}};
    }
    if (!RemoveFromIEToolsMenu(root)) {
        return {items, ToolsMenuFailure(ToolsMenuItem::Remove, productName, root)};
    }
    return {{.addEnabled = true, .removeEnabled = false}, {}};
}

}  // namespace quorvane
