// What the user is told and where the keyboard goes, end to end: the real window and
// engine, pages served from 127.0.0.1.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <webkit2/webkit2.h>
#include <wx/webview.h>
#include <iostream>
#include "desktop/registry_store.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_driver.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class UserFeedbackEndToEnd : public MainWindowEndToEnd {
  protected:
    std::string StatusText() const {
        return frame_->GetStatusBar()->GetStatusText(0).utf8_string();
    }
    // Runs a menu item as its click does.
    void ClickMenuItem(const char* menu, const char* item) {
        const int id = frame_->GetMenuBar()->FindMenuItem(menu, item);
        ASSERT_NE(id, wxNOT_FOUND) << item;
        wxCommandEvent click(wxEVT_MENU, id);
        click.SetEventObject(frame_);
        frame_->ProcessWindowEvent(click);
    }
    bool MenuItemEnabled(const char* menu, const char* item) const {
        return frame_->GetMenuBar()->IsEnabled(frame_->GetMenuBar()->FindMenuItem(menu, item));
    }
};

constexpr char kAddItem[] = "Add program to IE Tools Menu";
constexpr char kRemoveItem[] = "Remove Program from IE Tools Menu";

TEST_F(UserFeedbackEndToEnd, AToolsEntryThatCannotBeWrittenLeavesBothItemsAndSaysWhy) {
    // A file where the store's folder belongs: no user, root included, can write there.
    const fs::path blocked = workFolder_ / "blocked";
    std::ofstream(blocked) << "x";
    frame_->UseToolsMenuStore(RegistryStore(blocked / "HKEY_LOCAL_MACHINE.reg"));
    ClickMenuItem("Tools", kAddItem);
    EXPECT_TRUE(MenuItemEnabled("Tools", kAddItem));
    EXPECT_TRUE(MenuItemEnabled("Tools", kRemoveItem));
    EXPECT_EQ(StatusText(), "Could not add Quorvane to the IE Tools menu: " +
                                (blocked / "HKEY_LOCAL_MACHINE.reg").string() +
                                " cannot be written (" + blocked.string() + " is not a folder)");

    // Where it can write, the pair toggles as before.
    frame_->UseToolsMenuStore(RegistryStore(workFolder_ / "registry" / "HKEY_LOCAL_MACHINE.reg"));
    ClickMenuItem("Tools", kAddItem);
    EXPECT_FALSE(MenuItemEnabled("Tools", kAddItem));
    EXPECT_TRUE(MenuItemEnabled("Tools", kRemoveItem));
}

}  // namespace
}  // namespace quorvane::test
