#pragma once

#include <string>
#include <utility>
#include <vector>

#include "desktop/registry_store.h"

namespace quorvane {

// The browser extension entry that puts this program on the IE Tools menu and toolbar.
inline constexpr char kIEToolsMenuKey[] =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{ECC5777A-6E88-BFCE-13CE-81F134789E7B}";

// The entry's eight values, in the order they are written. programPath is the running
// executable's full path; the icon files are expected beside it.
std::vector<std::pair<std::string, std::string>> IEToolsMenuValues(const std::string& programPath,
                                                                   const std::string& productName);

// Writes the eight values under kIEToolsMenuKey in root (HKEY_LOCAL_MACHINE's store in
// the program); true when all eight are written. A failed write does not stop the ones
// after it.
bool AddToIEToolsMenu(RegistryStore& root, const std::string& programPath,
                      const std::string& productName);
// Deletes the whole entry; its parent keys stay. True when no entry is left, so removing
// an entry that is not there succeeds.
bool RemoveFromIEToolsMenu(RegistryStore& root);

// The Tools menu's two items: "Add program to IE Tools Menu" and "Remove Program from IE
// Tools Menu".
enum class ToolsMenuItem { Add, Remove };

// The enabled states of the Tools menu items. Both start enabled in every run.
struct ToolsMenuItems {
    bool addEnabled = true;
    bool removeEnabled = true;
    bool operator==(const ToolsMenuItems&) const = default;
};

// What a click on a Tools menu item leaves: the items' enabled states, and what status
// panel 1 says when the entry could not be written or removed ("" when it could).
struct ToolsMenuClick {
    ToolsMenuItems items;
    std::string failure;
};

// The Click of a Tools menu item: runs its command and returns the items' new enabled
// states. The states change only when the command did what it says: an entry that could
// not be written leaves both items as they were, and the failure names the store's file
// and the reason.
ToolsMenuClick ClickToolsMenuItem(ToolsMenuItem item, ToolsMenuItems items, RegistryStore& root,
                                  const std::string& programPath, const std::string& productName);

}  // namespace quorvane
