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

class NavigationTest : public ControllerTest {
  protected:
    void SetUp() override {
        StartUp();
        surface_.address = kTyped;
    }

    // The route of a command's button, menu item and shortcuts: its row of the table.
    Route ByTable(CommandId id) {
        return [this, id](MainWindowController& c) { CommandFor(id).run({c, window_}); };
    }

    // Runs the rows one after the other, each route of a row from the state the row
    // before left.
    void ExpectEachRouteRunsItsSteps(const std::vector<CommandRow>& rows) {
        for (const CommandRow& row : rows) {
            for (std::size_t route = 0; route < row.routes.size(); ++route) {
                SCOPED_TRACE(std::string(row.command) + ", route " + std::to_string(route));
                surface_.address = kTyped;
                surface_.fileToOpen = "/home/user/page.html";
                browser_.SetBody("<body></body>");
                log_.clear();
                row.routes[route](controller_);
                EXPECT_THAT(log_, ElementsAreArray(row.calls));
            }
        }
    }

    static constexpr const char* kTyped = "http://host.example/dir/page.html";
    const Calls stops_ = {"view0.Stop", "view1.Stop", "view2.Stop"};
    const Calls showBrowserView_ = {"view0.SetVisible(false)", "view1.SetVisible(false)",
                                    "view2.SetVisible(false)", "surface.SelectTab(1)",
                                    "view0.SetVisible(true)"};
};

// Each navigation command runs the same steps from every place it is reached from.
TEST_F(NavigationTest, EveryNavigationCommandRunsItsStepsFromEachOfItsPlaces) {
    const std::string source = "view1.LoadFile(" + WorkPath("source.htm") + ")";
    const std::string images = "view2.LoadFile(" + WorkPath("imagepage.html") + ")";
    ExpectEachRouteRunsItsSteps({
        {"Go",
         {[](auto& c) { c.Go(); }, [](auto& c) { c.EnterInAddressBox(); }, ByTable(CommandId::Go)},
         {"view0.Navigate(http://host.example/dir/page.html)"}},
        {"Back",
         {[](auto& c) { c.Back(); }, ByTable(CommandId::Back)},
         Join({stops_, {"view0.GoBack"}})},
        {"Forward",
         {[](auto& c) { c.Forward(); }, ByTable(CommandId::Forward)},
         Join({stops_, {"view0.GoForward"}})},
        {"Stop",
         {[](auto& c) { c.StopAll(); }, [](auto& c) { c.Stop(); }, ByTable(CommandId::Stop)},
         stops_},
        {"Refresh",
         {[](auto& c) { c.RefreshPage(); }, ByTable(CommandId::Refresh)},
         Join({stops_,
               showBrowserView_,
               {"view0.Refresh", "view0.CaptureBodyHtml", "view0.Address",
                "view1.SetLocalFilesBlocked(true)", "view2.SetLocalFilesBlocked(true)", source,
                images}})},
        {"Up Dir",
         {[](auto& c) { c.UpDir(); }, ByTable(CommandId::UpDir)},
         Join({{"surface.SetAddressText(http://host.example/dir/)",
                "view0.Navigate(http://host.example/dir/)"},
               showBrowserView_})},
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
               {"view0.Address", "surface.SetAddressText(http://host.example/dir/)"},
               showBrowserView_,
               {"view0.Navigate(http://host.example/dir/)"}})},
        {"Home", {[](auto& c) { c.GoHome(); }, ByTable(CommandId::Home)}, {"view0.GoHome"}},
        {"New Window",
         {[](auto& c) { c.OpenNewWindow(); }, ByTable(CommandId::NewWindow)},
         {"surface.StartNewWindow"}},
        {"Open",
         {[](auto& c) { c.Open(); }, ByTable(CommandId::Open)},
         {"surface.ChooseFileToOpen", "view0.LoadFile(/home/user/page.html)"}},
        {"Exit",
         {[](auto& c) { c.Exit(); }, ByTable(CommandId::Exit)},
         Join({{"surface.CloseMainWindow", "windows.UnloadHelp", "surface.UnloadSplashWindow"},
               stops_,
               {"surface.EndProcess"}})},
        {"Website",
         {[](auto& c) { c.VisitWebsite(); }, ByTable(CommandId::Website)},
         {"windows.RunWebsiteCommand"}},
        {"Help", {[](auto& c) { c.ShowHelp(); }, ByTable(CommandId::Help)}, {"windows.ShowHelp"}},
        {"About",
         {[](auto& c) { c.ShowAbout(); }, ByTable(CommandId::About)},
         {"windows.ShowAbout"}},
        {"Find", {ByTable(CommandId::Find)}, {"window.OpenFindBar"}},
        {"Find Next", {ByTable(CommandId::FindNext)}, {"window.FindNextOnBar"}},
        {"Find Previous", {ByTable(CommandId::FindPrevious)}, {"window.FindPreviousOnBar"}},
        {"Focus address", {ByTable(CommandId::FocusAddress)}, {"window.FocusAddressBox"}},
        {"Add to Tools menu",
         {ByTable(CommandId::AddToToolsMenu)},
         {"window.ClickToolsMenuItem(Add)"}},
        {"Remove from Tools menu",
         {ByTable(CommandId::RemoveFromToolsMenu)},
         {"window.ClickToolsMenuItem(Remove)"}},
        {"Go to Line", {ByTable(CommandId::GoToLine)}, {"window.GoToSourceLine"}},
        {"Wrap Long Lines", {ByTable(CommandId::WrapLines)}, {"window.FlipSourceSwitch(0)"}},
        {"Colour Source", {ByTable(CommandId::ColourSource)}, {"window.FlipSourceSwitch(1)"}},
        {"Reformat Source", {ByTable(CommandId::ReformatSource)}, {"window.FlipSourceSwitch(2)"}},
        {"Headers beside the source",
         {ByTable(CommandId::SourceHeaders)},
         {"window.FlipSourceSwitch(3)"}},
    });
}

TEST_F(NavigationTest, GoSendsTheAddressExactlyAsTyped) {
    surface_.address = "  host.example/a b ";
    controller_.Go();
    EXPECT_THAT(browser_.History(),
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
        EXPECT_EQ(browser_.Address(), "file:///home/user/page.html");
    }
}

TEST_F(NavigationTest, BackAndForwardMoveTheVisibleElementsOwnHistory) {
    source_.LoadFile("/work/first-source.htm");
    source_.LoadFile("/work/second-source.htm");
    ClickTab(1);

    controller_.Back();
    EXPECT_EQ(source_.Address(), "file:///work/first-source.htm");
    controller_.Forward();
    EXPECT_EQ(source_.Address(), "file:///work/second-source.htm");
    EXPECT_TRUE(CallsStartingWith(log_, "view0.Go").empty());
    EXPECT_EQ(VisibleElements(), "1");
}

TEST_F(NavigationTest, BackAndForwardWithNowhereToGoDoNothing) {
    ClickTab(2);  // element 2 has no history at all
    EXPECT_NO_THROW(controller_.Back());
    EXPECT_NO_THROW(controller_.Forward());
    ClickTab(0);  // element 0 holds the home page only
    EXPECT_NO_THROW(controller_.Back());
    EXPECT_NO_THROW(controller_.Forward());
    EXPECT_EQ(browser_.Address(), FakeBrowserElement::kHomeAddress);
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.address, kTyped);
}

TEST_F(NavigationTest, BackAndSendToIEGoOnPastAnElementThatCannotStop) {
    browser_.Navigate("http://host.example/earlier.html");
    browser_.Navigate("http://host.example/later.html");
    browser_.FailOn("Stop");
    source_.FailOn("Stop");
    log_.clear();
    controller_.Back();
    EXPECT_THAT(CallsStartingWith(log_, "view"),
                ElementsAre("view0.Stop", "view1.Stop", "view2.Stop", "view0.GoBack"));
    EXPECT_EQ(browser_.Address(), "http://host.example/earlier.html");

    controller_.SendToIE();
    EXPECT_EQ(surface_.address, "http://host.example/earlier.html");
    EXPECT_EQ(CallsStartingWith(log_, "view0.Navigate").back(),
              "view0.Navigate(http://host.example/earlier.html)");
}

TEST_F(NavigationTest, StopRefreshAndGoLetTheBrowsersFailuresThrough) {
    source_.FailOn("Stop");
    EXPECT_THROW(controller_.StopAll(), BrowserError);
    EXPECT_THAT(CallsStartingWith(log_, "view"), ElementsAre("view0.Stop", "view1.Stop"));
    EXPECT_THROW(controller_.RefreshPage(), BrowserError);
    EXPECT_TRUE(CallsStartingWith(log_, "view0.Refresh").empty());
    browser_.FailOn("Navigate");
    EXPECT_THROW(controller_.Go(), BrowserError);
}

TEST_F(NavigationTest, RefreshAnalysesAtOnceAndAgainWhenTheReloadCompletes) {
    ClickTab(1);
    controller_.RefreshPage();
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.selectedTab, 1);
    EXPECT_EQ(CallsStartingWith(log_, "view0.CaptureBodyHtml").size(), 1u);
    controller_.LoadFinished(0);
    EXPECT_EQ(CallsStartingWith(log_, "view0.CaptureBodyHtml").size(), 2u);
}

TEST_F(NavigationTest, UpDirClimbsOneLevelAndEndsOnTheBrowserView) {
    ClickTab(2);
    controller_.UpDir();
    EXPECT_EQ(surface_.address, "http://host.example/dir/");
    EXPECT_EQ(VisibleElements(), "0");
    EXPECT_EQ(surface_.selectedTab, 1);
    controller_.UpDir();
    EXPECT_EQ(surface_.address, "http://host.example/");
    EXPECT_EQ(browser_.Address(), "http://host.example/");
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
        EXPECT_EQ(browser_.Address(), row.address);
        EXPECT_EQ(VisibleElements(), "0");
        EXPECT_EQ(surface_.selectedTab, 1);
    }
}

TEST_F(NavigationTest, SendToIEWithoutAnAddressNavigatesToTheBoxAsItIs) {
    browser_.FailOn("Address");
    controller_.SendToIE();
    EXPECT_EQ(surface_.address, kTyped);
    EXPECT_EQ(CallsStartingWith(log_, "view0.Navigate").back(),
              "view0.Navigate(http://host.example/dir/page.html)");
}

TEST_F(NavigationTest, OpenWithNothingChosenNavigatesNowhere) {
    for (const std::optional<std::string>& chosen :
         {std::optional<std::string>(), std::optional<std::string>("")}) {
        surface_.fileToOpen = chosen;
        controller_.Open();
    }
    EXPECT_TRUE(CallsStartingWith(log_, "view0.Navigate").empty());
}

TEST_F(NavigationTest, EveryWayToAViewLeavesExactlyThatElementVisible) {
    for (int from = 0; from < 6; ++from) {
        for (int to = 0; to < 6; ++to) {
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
            ClickTab(from);
            controller_.SelectView(to);
            EXPECT_EQ(VisibleElements(), std::to_string(to));
            EXPECT_EQ(surface_.selectedTab, to + 1);
            EXPECT_EQ(controller_.VisibleView(), to);

            ClickTab(from);
            surface_.selectedTab = to + 1;
            controller_.OnTabSelected();
            EXPECT_EQ(VisibleElements(), std::to_string(to));
        }
    }
}

TEST_F(NavigationTest, AViewThatDoesNotExistLeavesTheVisibleOneShown) {
    ClickTab(2);
    for (int view : {-1, 6}) {
        EXPECT_THROW(controller_.ShowView(view), std::out_of_range);
        EXPECT_THROW(controller_.SelectView(view), std::out_of_range);
    }
    EXPECT_EQ(VisibleElements(), "2");
    EXPECT_EQ(surface_.selectedTab, 3);
}

TEST_F(NavigationTest, WebsiteItemOfTheViewMenuChangesNoView) {
    ClickTab(1);
    controller_.VisitWebsite();
    EXPECT_THAT(log_, ElementsAre("windows.RunWebsiteCommand"));
    EXPECT_EQ(VisibleElements(), "1");
    EXPECT_EQ(surface_.selectedTab, 2);
}

}  // namespace
}  // namespace quorvane::testing
