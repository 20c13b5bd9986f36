// The rows of the Keyboard Shortcuts window, made from the command table, and their filter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "main_window/commands.h"
#include "main_window/shortcut_list.h"

namespace quorvane::testing {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> CommandsOf(const std::vector<ShortcutRow>& rows) {
    std::vector<std::string> commands;
    for (const ShortcutRow& row : rows) {
        commands.push_back(row.command);
    }
    return commands;
}

const ShortcutRow* RowNamed(const std::vector<ShortcutRow>& rows, const std::string& command) {
    const auto found = std::ranges::find(rows, command, &ShortcutRow::command);
    return found == rows.end() ? nullptr : &*found;
}

TEST(ShortcutRows, NameEachCommandByItsMenuAndCaptionWithAllItsKeys) {
    const std::vector<ShortcutRow> rows = ShortcutRows();
    const std::vector<ShortcutRow> expected = {
        {"File", "Open", {"Ctrl+O"}},
        {"File", "Save Images\u2026", {"Ctrl+Shift+S"}},
        {"Go", "Back", {"Alt+Left"}},
        {"Go", "Stop", {"Esc"}},
        {"View", "Original Source", {"Ctrl+4", "Ctrl+U"}},
        {"View", "Find Next", {"F3", "Ctrl+G"}},
        {"View", "As the Page Is Now", {"Ctrl+Shift+U"}},
        {"View", "Changes", {"Ctrl+Alt+U"}},
        {"View", "Next Change", {"F7"}},
        {"View", "Previous Change", {"Shift+F7"}},
        {"View", "Zoom In", {"Ctrl++", "Ctrl+=", "Ctrl+KP_Add"}},
        {"Help", "Keyboard Shortcuts", {"Ctrl+?", "Ctrl+/"}},
        {std::string(kOtherGroup), "Go to the Address Box", {"Ctrl+L", "F6", "Alt+D"}},
    };
    for (const ShortcutRow& row : expected) {
        const ShortcutRow* found = RowNamed(rows, row.command);
        ASSERT_NE(found, nullptr) << row.command;
        EXPECT_EQ(*found, row) << row.command;
    }
}

// Every key the window binds is listed once, and nothing that no key runs.
TEST(ShortcutRows, ListEveryKeyOfTheTableOnceAndNoCommandWithoutKeys) {
    std::vector<std::string> bound;
    for (const Command& command : Commands()) {
        if (*command.accelerator) {
            bound.emplace_back(command.accelerator);
        }
    }
    for (const ExtraShortcut& shortcut : ExtraShortcuts()) {
        bound.emplace_back(shortcut.keys);
    }
    std::vector<std::string> listed;
    for (const ShortcutRow& row : ShortcutRows()) {
        EXPECT_FALSE(row.keys.empty()) << row.command;
        EXPECT_FALSE(row.command.empty());
        listed.insert(listed.end(), row.keys.begin(), row.keys.end());
    }
    std::ranges::sort(bound);
    std::ranges::sort(listed);
    EXPECT_EQ(listed, bound);
    EXPECT_EQ(RowNamed(ShortcutRows(), "Website"), nullptr);
}

// A key that ran two commands would run whichever the toolkit found first.
TEST(ShortcutRows, NoKeyRunsTwoCommands) {
    std::map<std::string, std::string> commands;
    for (const ShortcutRow& row : ShortcutRows()) {
        for (const std::string& key : row.keys) {
            std::string lowered = key;
            std::ranges::transform(lowered, lowered.begin(),
                                   [](unsigned char c) { return std::tolower(c); });
            const auto [place, added] = commands.emplace(lowered, row.command);
            EXPECT_TRUE(added) << key << " runs " << row.command << " and " << place->second;
        }
    }
}

// The groups come as the menus do, left to right, each once, those without a menu last.
TEST(ShortcutRows, ComeGroupedInTheOrderOfTheMenus) {
    std::vector<std::string> groups;
    for (const ShortcutRow& row : ShortcutRows()) {
        if (groups.empty() || groups.back() != row.group) {
            groups.push_back(row.group);
        }
    }
    EXPECT_THAT(groups, ElementsAreArray({"File", "Go", "View", "Help", "Other"}));
}

struct FilterRow {
    const char* query;
    std::vector<std::string> commands;
};

TEST(FilterShortcutRows, KeepTheRowsHoldingEveryWordInAnyCase) {
    const std::vector<ShortcutRow> rows = {
        {"File", "Open", {"Ctrl+O"}},
        {"View", "Zoom In", {"Ctrl++", "Ctrl+="}},
        {"View", "Zoom Out", {"Ctrl+-"}},
        {"Go", "Refresh", {"F5"}},
    };
    const FilterRow cases[] = {
        {"", {"Open", "Zoom In", "Zoom Out", "Refresh"}},
        {"   ", {"Open", "Zoom In", "Zoom Out", "Refresh"}},
        {"zoom", {"Zoom In", "Zoom Out"}},
        {"ZOOM out", {"Zoom Out"}},
        {"out zoom", {"Zoom Out"}},
        {"f5", {"Refresh"}},
        {"ctrl+=", {"Zoom In"}},
        {"view", {"Zoom In", "Zoom Out"}},
        {"file ctrl", {"Open"}},
        {"zoom refresh", {}},
        {"print", {}},
    };
    for (const FilterRow& row : cases) {
        EXPECT_THAT(CommandsOf(FilterShortcutRows(rows, row.query)), ElementsAreArray(row.commands))
            << '"' << row.query << '"';
    }
}

}  // namespace
}  // namespace quorvane::testing
