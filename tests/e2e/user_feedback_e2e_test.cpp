// What the user is told and where the keyboard goes, end to end: the real window and
// engine, pages served from 127.0.0.1.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <fstream>
#include <iostream>
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

// A page that keeps the engine busy for minutes, and its network process with it: the user
// gets the Browser view back at once when going elsewhere or stopping it.
TEST_F(UserFeedbackEndToEnd, AWedgedEngineGivesWayToTheNextPageAndToStop) {
    std::string pictures = "<html><body><p>marker-wedge</p>";
    for (int i = 0; i < 80000; ++i) {
        pictures += "<img src=\"p/" + std::to_string(i) + ".png\">";
    }
    server_.Serve("/wedge/page.html", "text/html", pictures + "</body></html>");
    server_.Serve("/small.html", "text/html", "<html><body><p>marker-small</p></body></html>");
    const auto wedge = [&] {
        const std::size_t before = server_.RequestedPaths().size();
        TypeAddressAndPressEnter(server_.Url("/wedge/page.html"));
        // Busy with its pictures once it has asked for a few of them.
        return WaitUntil([&] { return server_.RequestedPaths().size() > before + 20; });
    };

    ASSERT_TRUE(wedge());
    frame_->Controller().Stop();
    const auto asked = std::chrono::steady_clock::now();
    TypeAddressAndPressEnter(server_.Url("/small.html"));
    ASSERT_TRUE(WaitForElementAt(0, server_.Url("/small.html")));
    std::cout << "the next page showed "
              << std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - asked)
                     .count()
              << " ms after it was asked for\n";
    EXPECT_NE(CaptureBrowserBody().value_or("").find("marker-small"), std::string::npos);

    // Stop alone: the view shows the stopped page's address, with nothing of it loaded.
    ASSERT_TRUE(wedge());
    frame_->Controller().Stop();
    EXPECT_TRUE(WaitUntil([&] {
        return StatusText() ==
               "Stopped: " + server_.Url("/wedge/page.html") + " did not answer and was closed";
    })) << StatusText();
    EXPECT_TRUE(WaitForElementAt(0, server_.Url("/wedge/page.html")));
    EXPECT_EQ(frame_->AddressBox()->GetValue().utf8_string(), server_.Url("/wedge/page.html"));
}

}  // namespace
}  // namespace quorvane::test
