#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "desktop/translation.h"

namespace quorvane {

// One line of the Keyboard Shortcuts window: a command and every key that runs it.
struct ShortcutRow {
    std::string group;    // the title of the command's menu as shown; kOtherGroup without one
    std::string command;  // its caption as the menu shows it
    std::vector<std::string> keys;  // the menu's accelerator first, then the further keys

    bool operator==(const ShortcutRow&) const = default;
};

// The group of the commands that no menu holds (the address box's keys).
inline constexpr const char* kOtherGroup = Translatable("Other");

// Every command of Commands() that a key runs, in the order of the menus and their items,
// those without a menu last: the window lists what the menus and shortcuts are made of.
std::vector<ShortcutRow> ShortcutRows();

// The rows that hold every word of query in their group, command or keys, letter case
// ignored; all of them for a query without words.
std::vector<ShortcutRow> FilterShortcutRows(const std::vector<ShortcutRow>& rows,
                                            std::string_view query);

}  // namespace quorvane
