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

// The enabled states of the Tools menu items: index 0 "Add program to IE Tools Menu",
// index 1 "Remove Program from IE Tools Menu". Both start enabled in every run.
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

// The Click of the Tools menu item with this index: runs its command and returns the
// items' new enabled states (an index other than 0 or 1 does nothing). The states change
// only when the command did what it says: an entry that could not be written leaves
// both items as they were, and the failure names the store's file and the reason.
ToolsMenuClick ToolsMenuItemClick(int index, ToolsMenuItems items, RegistryStore& root,
                                  const std::string& programPath, const std::string& productName);

}  // namespace quorvane
