// The navigation commands, the views and the menus of the main window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "main_window/commands.h"
#include "tests/main_window/controller_fixture.h"

namespace quorvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using Route = std::function<void(MainWindowController&)>;
using Calls = std::vector<std::string>;

// A command, the places it is reached from, and the steps it must run from each.
struct CommandRow {
    const char* command;
    std::vector<Route> routes;
    Calls calls;
};

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The route of a command's button, menu item and shortcuts: its row of the table.
Route ByTable(CommandId id) {
    return [id](MainWindowController& c) { CommandFor(id).routine(c); };
}

class NavigationTest : public ControllerTest {
  protected:
    void SetUp() override {
        StartUp();
        surface_.address = kTyped;
    }

    // Runs the rows one after the other, each route of a row from the state the row
    // before left.
    void ExpectEachRouteRunsItsSteps(const std::vector<CommandRow>& rows) {
        for (const CommandRow& row : rows) {
            for (std::size_t route = 0; route < row.routes.size(); ++route) {
                SCOPED_TRACE(std::string(row.command) + ", route " + std::to_string(route));
                surface_.address = kTyped;
                surface_.fileToOpen = "/home/user/page.html";
                wb0_.SetBody("<body></body>");
                log_.clear();
                row.routes[route](controller_);
                EXPECT_THAT(log_, ElementsAreArray(row.calls));
            }
        }
    }

    static constexpr const char* kTyped = "http://host.example/dir/page.html";
    const Calls stops_ = {"wb0.Stop", "wb1.Stop", "wb2.Stop"};
    const Calls browserView_ = {"wb0.SetVisible(false)", "wb1.SetVisible(false)",
                                "wb2.SetVisible(false)", "surface.SelectTab(1)",
                                "wb0.SetVisible(true)"};
};

// Each navigation command runs the same steps from every place it is reached from.
TEST_F(NavigationTest, EveryNavigationCommandRunsItsStepsFromEachOfItsPlaces) {
    const std::string source = "wb1.Navigate2(" + WorkPath("source.htm") + ")";
    const std::string images = "wb2.Navigate2(" + WorkPath("imagepage.html") + ")";
    ExpectEachRouteRunsItsSteps({
        {"Go",
         {[](auto& c) { c.Go(); }, [](auto& c) { c.AddressKeyPress(13); }, ByTable(CommandId::Go)},
         {"wb0.Navigate(http://host.example/dir/page.html)"}},
        {"Back",
         {[](auto& c) { c.Back(); }, ByTable(CommandId::Back)},
         Join({stops_, {"wb0.GoBack"}})},
        {"Forward",
         {[](auto& c) { c.Forward(); }, ByTable(CommandId::Forward)},
         Join({stops_, {"wb0.GoForward"}})},
        {"Stop",
         {[](auto& c) { c.StopAll(); }, [](auto& c) { c.Stop(); }, ByTable(CommandId::Stop)},
         stops_},
        {"Refresh",
         {[](auto& c) { c.RefreshPage(); }, ByTable(CommandId::Refresh)},
         Join({stops_,
               browserView_,
               {"wb0.Refresh", "wb0.CaptureBodyHtml", "wb0.LocationURL",
                "wb1.SetLocalFilesBlocked(true)", "wb2.SetLocalFilesBlocked(true)", source,
                images}})},
        {"Up Dir",
         {[](auto& c) { c.UpDir(); }, ByTable(CommandId::UpDir)},
         Join({{"surface.SetAddressText(http://host.example/dir/)",
                "wb0.Navigate(http://host.example/dir/)"},
               browserView_})},
    });
}

// So do the commands of the window and its neighbours.
TEST_F(NavigationTest, EveryWindowCommandRunsItsStepsFromEachOfItsPlaces) {
    controller_.UpDir();
    ExpectEachRouteRunsItsSteps({
        // Up Dir has left the Browser view here.
        {"Send to IE",
         {[](auto& c) { c.SendToIE(); }, ByTable(CommandId::SendToIE)},
         Join({stops_,
               {"wb0.LocationURL", "surface.SetAddressText(http://host.example/dir/)"},
               browserView_,
               {"wb0.Navigate(http://host.example/dir/)"}})},
        {"Open",
         {[](auto& c) { c.Open(); }, ByTable(CommandId::Open)},
         {"surface.ChooseFileToOpen", "wb0.Navigate2(/home/user/page.html)"}},
        {"Exit",
         {[](auto& c) { c.Exit(); }, ByTable(CommandId::Exit)},
         Join({{"surface.CloseMainWindow", "windows.UnloadHelp", "surface.UnloadSplashWindow"},
               stops_,
               {"surface.EndProcess"}})},
        {"Website",
         {[](auto& c) { c.VisitWebsite(); }, ByTable(CommandId::Website),
          [](auto& c) { c.ViewMenuItemClick(3); }},
         {"windows.RunWebsiteCommand"}},
        {"Help", {[](auto& c) { c.ShowHelp(); }, ByTable(CommandId::Help)}, {"windows.ShowHelp"}},
        {"About",
         {[](auto& c) { c.ShowAbout(); }, ByTable(CommandId::About)},
         {"windows.ShowAbout"}},
    });
}

TEST_F(NavigationTest, GoSendsTheAddressExactlyAsTyped) {
    surface_.address = "  host.example/a b ";
    controller_.Go();
    EXPECT_THAT(wb0_.History(),
                ElementsAre(FakeBrowserElement::kHomeAddress, "  host.example/a b "));
}

TEST_F(NavigationTest, GoAndOpenKeepTheVisibleView) {
    for (int view : {1, 2}) {
        ClickTab(view);
        controller_.Go();
        surface_.fileToOpen = "/home/user/page.html";
        controller_.Open();
        EXPECT_EQ(VisibleElements(), std::to_string(view));
        EXPECT_EQ(surface_.selectedTab, view + 1);
        EXPECT_EQ(wb0_.LocationURL(), "file:///home/user/page.html");
    }
}

TEST_F(NavigationTest, OnlyEnterInTheAddressBoxRunsGo) {
    for (int key : {10, 32, 27, 65, 12, 14}) {
        controller_.AddressKeyPress(key);
    }
    EXPECT_TRUE(CallsStartingWith(log_, "wb0.Navigate").empty());
    controller_.AddressKeyPress(13);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.Navigate").size(), 1u);
}

TEST_F(NavigationTest, BackAndForwardMoveTheVisibleElementsOwnHistory) {
    wb1_.Navigate2("/work/first-source.htm");
    wb1_.Navigate2("/work/second-source.htm");
    ClickTab(1);

    controller_.Back();
    EXPECT_EQ(wb1_.LocationURL(), "file:///work/first-source.htm");
    controller_.Forward();
    EXPECT_EQ(wb1_.LocationURL(), "file:///work/second-source.htm");
    EXPECT_TRUE(CallsStartingWith(log_, "wb0.Go").empty());
    EXPECT_EQ(VisibleElements(), "1");
}

TEST_F(NavigationTest, BackAndForwardWithNowhereToGoDoNothing) {
    ClickTab(2);  // element 2 has no history at all
    EXPECT_NO_THROW(controller_.Back());
    EXPECT_NO_THROW(controller_.Forward());
    ClickTab(0);  // element 0 holds the home page only
    EXPECT_NO_THROW(controller_.Back());
    EXPECT_NO_THROW(controller_.Forward());
    EXPECT_EQ(wb0_.LocationURL(), FakeBrowserElement::kHomeAddress);
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.address, kTyped);
}

TEST_F(NavigationTest, BackAndSendToIEGoOnPastAnElementThatCannotStop) {
    wb0_.Navigate("http://host.example/earlier.html");
    wb0_.Navigate("http://host.example/later.html");
    wb0_.FailOn("Stop");
    wb1_.FailOn("Stop");
    log_.clear();
    controller_.Back();
    EXPECT_THAT(CallsStartingWith(log_, "wb"),
                ElementsAre("wb0.Stop", "wb1.Stop", "wb2.Stop", "wb0.GoBack"));
    EXPECT_EQ(wb0_.LocationURL(), "http://host.example/earlier.html");

    controller_.SendToIE();
    EXPECT_EQ(surface_.address, "http://host.example/earlier.html");
    EXPECT_EQ(CallsStartingWith(log_, "wb0.Navigate").back(),
              "wb0.Navigate(http://host.example/earlier.html)");
}

TEST_F(NavigationTest, StopRefreshAndGoLetTheBrowsersFailuresThrough) {
    wb1_.FailOn("Stop");
    EXPECT_THROW(controller_.StopAll(), BrowserError);
    EXPECT_THAT(CallsStartingWith(log_, "wb"), ElementsAre("wb0.Stop", "wb1.Stop"));
    EXPECT_THROW(controller_.RefreshPage(), BrowserError);
    EXPECT_TRUE(CallsStartingWith(log_, "wb0.Refresh").empty());
    wb0_.FailOn("Navigate");
    EXPECT_THROW(controller_.Go(), BrowserError);
}

TEST_F(NavigationTest, RefreshAnalysesAtOnceAndAgainWhenTheReloadCompletes) {
    ClickTab(1);
    controller_.RefreshPage();
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.selectedTab, 1);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.CaptureBodyHtml").size(), 1u);
    controller_.DownloadComplete(0);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.CaptureBodyHtml").size(), 2u);
}

TEST_F(NavigationTest, UpDirClimbsOneLevelAndEndsOnTheBrowserView) {
    ClickTab(2);
    controller_.UpDir();
    EXPECT_EQ(surface_.address, "http://host.example/dir/");
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.selectedTab, 1);
    controller_.UpDir();
    EXPECT_EQ(surface_.address, "http://host.example/");
    EXPECT_EQ(wb0_.LocationURL(), "http://host.example/");
}

TEST_F(NavigationTest, SendToIEShowsTheVisibleViewsPageInTheBrowserView) {
    controller_.AnalysePage();  // the generated views now show their files
    const struct {
        int view;
        std::string address;
    } rows[] = {{0, FakeBrowserElement::kHomeAddress},
                {1, "file://" + WorkPath("source.htm")},
                {2, "file://" + WorkPath("imagepage.html")}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.view);
        ClickTab(row.view);
        controller_.SendToIE();
        EXPECT_EQ(surface_.address, row.address);
        EXPECT_EQ(wb0_.LocationURL(), row.address);
        EXPECT_EQ(VisibleElements(), "0");
        EXPECT_EQ(surface_.selectedTab, 1);
    }
}

TEST_F(NavigationTest, SendToIEWithoutAnAddressNavigatesToTheBoxAsItIs) {
    wb0_.FailOn("LocationURL");
    controller_.SendToIE();
    EXPECT_EQ(surface_.address, kTyped);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.Navigate").back(),
              "wb0.Navigate(http://host.example/dir/page.html)");
}

TEST_F(NavigationTest, OpenWithNothingChosenNavigatesNowhere) {
    for (const std::optional<std::string>& chosen :
         {std::optional<std::string>(), std::optional<std::string>("")}) {
        surface_.fileToOpen = chosen;
        controller_.Open();
    }
    EXPECT_TRUE(CallsStartingWith(log_, "wb0.Navigate").empty());
}

TEST_F(NavigationTest, EveryWayToAViewLeavesExactlyThatElementVisible) {
    for (int from = 0; from < 3; ++from) {
        for (int to = 0; to < 3; ++to) {
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
            ClickTab(from);
            controller_.ViewMenuItemClick(to);
            EXPECT_EQ(VisibleElements(), std::to_string(to));
            EXPECT_EQ(surface_.selectedTab, to + 1);
            EXPECT_EQ(controller_.VisibleView(), to);

            ClickTab(from);
            surface_.selectedTab = to + 1;
            controller_.TabStrip1_Click();
            EXPECT_EQ(VisibleElements(), std::to_string(to));
        }
    }
}

TEST_F(NavigationTest, AViewThatDoesNotExistLeavesTheVisibleOneShown) {
    ClickTab(2);
    for (int view : {-1, 3}) {
        EXPECT_THROW(controller_.ShowView(view), std::out_of_range);
        EXPECT_THROW(controller_.SelectView(view), std::out_of_range);
    }
    EXPECT_EQ(VisibleElements(), "2");
    EXPECT_EQ(surface_.selectedTab, 3);
}

TEST_F(NavigationTest, WebsiteItemOfTheViewMenuChangesNoView) {
    ClickTab(1);
    controller_.ViewMenuItemClick(3);
    EXPECT_THAT(log_, ElementsAre("windows.RunWebsiteCommand"));
    EXPECT_EQ(VisibleElements(), "1");
    EXPECT_EQ(surface_.selectedTab, 2);
}

}  // namespace
}  // namespace quorvane::testing
