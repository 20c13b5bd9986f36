// Start-up and unload of the main window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "tests/main_window/controller_fixture.h"

namespace quorvane::testing {
namespace {

using ::testing::ElementsAre;

using LifecycleTest = ControllerTest;

const char* const kWorkFiles[] = {"browser.txt",     "source.htm",           "images.htm",
                                  "checkImages.txt", "checkImagesClean.txt", "imagepage.html"};

TEST_F(LifecycleTest, LoadRunsItsStepsInOrder) {
    // The work files are made between the Help window and the second panel.
    std::map<std::string, bool> workFilesExistAt;
    surface_.afterCall = [this, &workFilesExistAt](const std::string& call) {
        workFilesExistAt[call] = std::filesystem::exists(WorkPath("imagepage.html"));
    };
    windows_.afterCall = surface_.afterCall;

    log_.clear();
    controller_.Load();

    EXPECT_THAT(
        log_,
        ElementsAre("surface.SetWindowIcon", "surface.SetWebsiteCaptions(tarnwick.example)",
                    "surface.SetCaption(Quorvane by Tarnwick Downloads)",
                    "windows.ReadShowHelpSetting", "windows.ShowHelp", "surface.AddStatusPanel",
                    "view0.SetVisible(false)", "view1.SetVisible(false)", "view2.SetVisible(false)",
                    "view0.SetVisible(true)", "view0.GoHome"));
    EXPECT_FALSE(workFilesExistAt["windows.ShowHelp"]);
    EXPECT_TRUE(workFilesExistAt["surface.AddStatusPanel"]);
    for (const char* name : kWorkFiles) {
        EXPECT_TRUE(std::filesystem::exists(WorkPath(name))) << name;
    }
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads");
    EXPECT_EQ(surface_.panelCount, 2);
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(browser_.Address(), FakeBrowserElement::kHomeAddress);
}

TEST_F(LifecycleTest, HelpWindowOpensOnlyForAStoredOneOrNone) {
    const struct {
        std::optional<std::string> stored;
        bool opens;
    } rows[] = {{std::nullopt, true}, {"1", true},   {"0", false},
                {"", false},          {"1 ", false}, {"true", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored.value_or("(none stored)"));
        windows_.showHelpSetting = row.stored;
        log_.clear();
        controller_.Load();
        EXPECT_EQ(CallsStartingWith(log_, "windows.ShowHelp").size(), row.opens ? 1u : 0u);
    }
}

// A window opened from another is there for its page: the Help window stays closed
// whatever the setting, and the page is loaded all the same.
TEST_F(LifecycleTest, HelpWindowStaysClosedInAWindowOpenedFromAnother) {
    for (const std::optional<std::string>& stored : {std::optional<std::string>(), {"1"}}) {
        SCOPED_TRACE(stored.value_or("(none stored)"));
        windows_.showHelpSetting = stored;
        log_.clear();
        controller_.Load("http://opened.example/", StartedBy::AnotherWindow);
        EXPECT_TRUE(CallsStartingWith(log_, "windows.ShowHelp").empty());
        EXPECT_EQ(browser_.Address(), "http://opened.example/");
    }
}

TEST_F(LifecycleTest, LoadLeavesExistingWorkFilesAsTheyAre) {
    {
        std::ofstream earlier(WorkPath("source.htm"), std::ios::binary);
        earlier << "an earlier run's view";
    }
    controller_.Load();
    std::ifstream kept(WorkPath("source.htm"), std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(kept), {}};
    EXPECT_EQ(content, "an earlier run's view");
}

TEST_F(LifecycleTest, LoadAddsNoPanelWhenAResizeAlreadyDid) {
    surface_.panelCount = 2;
    controller_.Load();
    EXPECT_EQ(surface_.panelCount, 2);
    EXPECT_TRUE(CallsStartingWith(log_, "surface.AddStatusPanel").empty());
}

TEST_F(LifecycleTest, LoadStopsAtWorkFilesThatCannotBeMade) {
    // A work folder below an ordinary file can never be created.
    { std::ofstream(WorkPath("plain-file")); }
    MainWindowController blocked(surface_, windows_, FakeViews(), servedSource_, imageList_,
                                 imageTable_, requestList_, requestTable_,
                                 WorkPath("plain-file") + "/folder");
    EXPECT_ANY_THROW(blocked.Load());
    EXPECT_TRUE(CallsStartingWith(log_, "view0.GoHome").empty());
    EXPECT_TRUE(CallsStartingWith(log_, "surface.AddStatusPanel").empty());
}

TEST_F(LifecycleTest, UnloadClosesWindowsStopsViewsAndEndsTheProcess) {
    StartUp();
    controller_.Unload();
    EXPECT_THAT(log_, ElementsAre("windows.UnloadHelp", "surface.UnloadSplashWindow", "view0.Stop",
                                  "view1.Stop", "view2.Stop", "surface.EndProcess"));
}

TEST_F(LifecycleTest, UnloadWaitsForTheWebsiteWindow) {
    StartUp();
    windows_.websiteWindowShown = true;
    controller_.Unload();
    EXPECT_THAT(log_, ElementsAre("windows.UnloadHelp", "surface.UnloadSplashWindow", "view0.Stop",
                                  "view1.Stop", "view2.Stop"));
}

}  // namespace
}  // namespace quorvane::testing
