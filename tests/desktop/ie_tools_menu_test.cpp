#include "desktop/ie_tools_menu.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

const Values kExpectedValues = {
    {"ButtonText", "Quorvane"},
    {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
    {"Default Visible", "Yes"},
    {"Exec", "/opt/My Programs/quorvane/quorvane"},
    {"HotIcon", "/opt/My Programs/quorvane/hoticon.ico"},
    {"Icon", "/opt/My Programs/quorvane/icon.ico"},
    {"MenuStatusBar", "Quorvane"},
    {"MenuText", "&Quorvane"},
};

class IEToolsMenuTest : public ::testing::Test {
  protected:
    Values StoredValues() const {
        Values values;
        for (const auto& name : store_.ValueNames(kIEToolsMenuKey)) {
            values.emplace_back(name, store_.Value(kIEToolsMenuKey, name).value_or("?"));
        }
        return values;
    }
    TempFolder folder_;
    RegistryStore store_{folder_ / "HKEY_LOCAL_MACHINE.reg"};
    const std::string program_ = "/opt/My Programs/quorvane/quorvane";
};

TEST_F(IEToolsMenuTest, AddWritesTheEightValuesInOrderWithSpacesKept) {
    AddToIEToolsMenu(store_, program_, "Quorvane");
    EXPECT_EQ(StoredValues(), kExpectedValues);
    EXPECT_TRUE(store_.KeyExists("Software\\Microsoft\\Internet Explorer\\Extensions"));
}

TEST_F(IEToolsMenuTest, AddingAgainRewritesTheSameValues) {
    AddToIEToolsMenu(store_, program_, "Quorvane");
    AddToIEToolsMenu(store_, program_, "Quorvane");
    EXPECT_EQ(StoredValues(), kExpectedValues);
}

TEST_F(IEToolsMenuTest, RemoveDeletesTheWholeEntryAndKeepsItsParents) {
    AddToIEToolsMenu(store_, program_, "Quorvane");
    RemoveFromIEToolsMenu(store_);
    EXPECT_FALSE(store_.KeyExists(kIEToolsMenuKey));
    EXPECT_TRUE(store_.KeyExists("Software\\Microsoft\\Internet Explorer\\Extensions"));
    RemoveFromIEToolsMenu(store_);  // nothing to remove: no effect, no failure
    EXPECT_FALSE(store_.KeyExists(kIEToolsMenuKey));
}

TEST_F(IEToolsMenuTest, MenuItemsToggle) {
    struct Row {
        ToolsMenuItem item;
        ToolsMenuItems after;
        bool entryAfter;
    } rows[] = {
        {ToolsMenuItem::Add, {false, true}, true},
        {ToolsMenuItem::Remove, {true, false}, false},
        {ToolsMenuItem::Add, {false, true}, true},
    };
    for (const auto& row : rows) {
        const ToolsMenuClick click = ClickToolsMenuItem(row.item, {}, store_, program_, "Quorvane");
        const int item = static_cast<int>(row.item);
        EXPECT_EQ(click.items, row.after) << "item " << item;
        EXPECT_EQ(click.failure, "") << "item " << item;
        EXPECT_EQ(store_.KeyExists(kIEToolsMenuKey), row.entryAfter) << "item " << item;
    }
}

// A file where the store's folder belongs cannot be written even by root, so the test
// holds for every user.
TEST_F(IEToolsMenuTest, AStoreThatCantBeWrittenLeavesTheItemsAndSaysWhereAndWhy) {
    std::ofstream(folder_ / "blocked") << "x";
    RegistryStore blocked(folder_ / "blocked" / "HKEY_LOCAL_MACHINE.reg");
    const std::string where = (folder_ / "blocked" / "HKEY_LOCAL_MACHINE.reg").string() +
                              " cannot be written (" + (folder_ / "blocked").string() +
                              " is not a folder)";
    struct Row {
        ToolsMenuItem item;
        ToolsMenuItems before;
        std::string failure;
    } rows[] = {
        {ToolsMenuItem::Add, {true, true}, "Could not add Quorvane to the IE Tools menu: " + where},
        {ToolsMenuItem::Add,
         {true, false},
         "Could not add Quorvane to the IE Tools menu: " + where},
        // No entry there: nothing to remove, nothing failed.
        {ToolsMenuItem::Remove, {false, true}, ""},
    };
    for (const auto& row : rows) {
        const ToolsMenuClick click =
            ClickToolsMenuItem(row.item, row.before, blocked, program_, "Quorvane");
        const int item = static_cast<int>(row.item);
        EXPECT_EQ(click.failure, row.failure) << "item " << item;
        EXPECT_EQ(click.items, (row.failure.empty() ? ToolsMenuItems{true, false} : row.before))
            << "item " << item;
        EXPECT_FALSE(blocked.KeyExists(kIEToolsMenuKey));
    }
}

}  // namespace
}  // namespace quorvane
