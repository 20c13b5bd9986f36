// The Original Source view as the main window's logic drives it, against fake views.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "desktop/user_folders.h"
#include "tests/main_window/controller_fixture.h"
#include "tests/support/temp_folder.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ServedSourceTest : public ControllerTest {
  protected:
    void SetUp() override {
        StartUp();
        browser_.SetMainResource(ServedResource{"http://host.example/dir/page.html",
                                                "<head><title>T</title></head><body>caf\xE9</body>",
                                                "text/html", "windows-1252"});
    }
    std::string ReadFile(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// The page's bytes are read from the engine only while the view is shown, once per page,
// and an answer for an older page never shows.
TEST_F(ServedSourceTest, ReadsEachPageOnceAndOnlyWhileShown) {
    const struct {
        const char* name;
        std::vector<const char*> events;
        std::size_t reads;
        std::size_t shows;
    } rows[] = {
        {"loads while hidden", {"load", "load"}, 0, 0},
        {"shown after a load", {"load", "show"}, 1, 1},
        {"shown twice", {"load", "show", "hide", "show"}, 1, 1},
        {"a load while shown", {"show", "load", "load"}, 3, 3},
        {"shown, hidden, loaded, shown", {"show", "hide", "load", "show"}, 2, 2},
        {"a late answer", {"wait", "show", "load", "answer", "answer"}, 2, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        log_.clear();
        FakeBrowserElement browser("browser", log_);
        FakeSourcePane pane(log_);
        browser.SetMainResource(
            ServedResource{"http://host.example/", "<p>x</p>", "text/html", ""});
        ServedSourceFollower follower(browser, pane);
        for (const std::string event : row.events) {
            if (event == "load") {
                follower.OnPageLoaded();
            } else if (event == "show") {
                pane.SetVisible(true);
                follower.OnShown();
            } else if (event == "hide") {
                pane.SetVisible(false);
            } else if (event == "wait") {
                browser.AnswerResourcesOnDemand();
            } else if (event == "answer") {
                browser.AnswerResource();
            }
        }
        EXPECT_EQ(CallsStartingWith(log_, "browser.ReadMainResourceCopy").size(), row.reads);
        EXPECT_EQ(CallsStartingWith(log_, "served.ShowSource").size(), row.shows);
    }
}

// The view reads a page as soon as the engine has its bytes whole, shows it while the page
// still loads and says so, and keeps it when that load ends; a page whose bytes were never
// said to be whole (one from the engine's cache) is read at its load's end. The events, a
// letter each: b the bytes are whole, l the load ends, s shown, h hidden, w the engine
// answers on demand from now on, a it answers, n it has no bytes for the next page, o the
// Browser view shows a page of its own. Told: + a page still loading is shown, - it is no
// longer (the view was hidden) or a load ended.
TEST_F(ServedSourceTest, ReadsAPageOnceItsBytesAreWholeAndKeepsItAtTheLoadsEnd) {
    using State = ServedSourceFollower::State;
    const struct {
        const char* name;
        const char* events;
        std::size_t reads;
        std::size_t shows;
        State state;
        const char* told;
    } rows[] = {
        {"the bytes while shown", "sb", 2, 2, State::ShownWhileLoading, "+"},
        {"then the load's end", "sbl", 2, 2, State::Shown, "+-"},
        {"the bytes while hidden", "b", 0, 0, State::OutdatedWhileLoading, ""},
        {"shown while loading", "bs", 1, 1, State::ShownWhileLoading, "+"},
        {"shown once loaded", "bls", 1, 1, State::Shown, "-"},
        {"shown, hidden, loaded, shown", "sbhls", 2, 2, State::Shown, "+--"},
        {"hidden and shown again while loading", "sbhs", 2, 2, State::ShownWhileLoading, "+-+"},
        {"hidden before the page", "shb", 1, 1, State::OutdatedWhileLoading, ""},
        {"no bytes said (a page from the cache)", "sl", 2, 2, State::Shown, "-"},
        {"two pages' bytes in one load", "sbbl", 3, 3, State::Shown, "++-"},
        {"the load ends before the answer", "wsabla", 2, 2, State::Shown, "-"},
        {"the answer for the page before", "wsbaa", 2, 1, State::ShownWhileLoading, "+"},
        {"an answer still due at the end", "wsbl", 2, 0, State::Reading, "-"},
        {"no bytes from the engine", "snl", 3, 2, State::Shown, "-"},
        {"a page of its own in the read one's place", "sbol", 2, 3, State::Shown, "+-"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        log_.clear();
        FakeBrowserElement browser("browser", log_);
        FakeSourcePane pane(log_);
        const ServedResource page{"http://host.example/", "<p>x</p>", "text/html", ""};
        browser.SetMainResource(page);
        std::string told;
        ServedSourceFollower follower(browser, pane,
                                      [&](bool stillLoading) { told += stillLoading ? '+' : '-'; });
        for (const char* event = row.events; *event != '\0'; ++event) {
            switch (*event) {
                case 'b':
                    follower.OnMainResourceFinished();
                    break;
                case 'l':
                    follower.OnPageLoaded();
                    break;
                case 's':
                    pane.SetVisible(true);
                    follower.OnShown();
                    break;
                case 'h':
                    pane.SetVisible(false);
                    follower.OnHidden();
                    break;
                case 'w':
                    browser.AnswerResourcesOnDemand();
                    break;
                case 'a':
                    browser.AnswerResource();
                    break;
                case 'n':
                    browser.SetMainResource(std::nullopt);
                    follower.OnMainResourceFinished();
                    browser.SetMainResource(page);
                    break;
                case 'o':
                    browser.SetOwnPageStatus("Could not open http://host.example/: refused");
                    break;
            }
        }
        EXPECT_EQ(CallsStartingWith(log_, "browser.ReadMainResourceCopy").size(), row.reads);
        EXPECT_EQ(CallsStartingWith(log_, "served.ShowSource").size(), row.shows);
        EXPECT_EQ(follower.CurrentState(), row.state);
        EXPECT_EQ(told, row.told);
    }
}

// Panel 1 says the page shown is still loading until its load ends, and the engine's own
// word comes back then; not while another view is shown. The generated views' engines
// tell nothing of the kind.
TEST_F(ServedSourceTest, SaysThePageStillLoadsUntilItsLoadEnds) {
    const std::string note = "Page still loading: the source shown is complete";
    controller_.SelectView(MainWindowController::kServedSourceView);
    controller_.StatusTextChange(0, "Opening http://host.example/dir/page.html...");
    controller_.MainResourceFinished(1);
    controller_.MainResourceFinished(2);
    EXPECT_NE(surface_.statusText, note);
    browser_.SetMainResource(
        ServedResource{"http://host.example/dir/page.html", "<p>early</p>", "text/html", ""});
    controller_.MainResourceFinished(0);
    EXPECT_EQ(servedSource_.text, "<p>early</p>");
    EXPECT_EQ(surface_.statusText, note);
    controller_.SelectView(MainWindowController::kBrowserView);
    EXPECT_EQ(surface_.statusText, "Opening http://host.example/dir/page.html...");
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_EQ(surface_.statusText, note);
    controller_.StatusTextChange(0, "Done");
    EXPECT_EQ(surface_.statusText, note);
    controller_.LoadFinished(0);
    EXPECT_EQ(surface_.statusText, "Done");
    EXPECT_EQ(CallsStartingWith(log_, "view0.ReadMainResourceCopy").size(), 2u);
}

TEST_F(ServedSourceTest, ShowsTheServedTextDecodedWithItsCharset) {
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_EQ(servedSource_.text, "<head><title>T</title></head><body>caf\xC3\xA9</body>");
    EXPECT_EQ(servedSource_.pageAddress, "http://host.example/dir/page.html");
    EXPECT_EQ(VisibleElements(), "3");
    EXPECT_EQ(surface_.selectedTab, 4);
}

// Of a page saved whole the view shows the page's document in the archive, decoded in the
// charset it declares, its links read against the address it was saved from.
TEST_F(ServedSourceTest, ShowsThePageSavedWholeAsItsDocument) {
    const std::string archive =
        "MIME-Version: 1.0\r\n"
        "Content-Type: multipart/related; type=\"text/html\"; boundary=\"B\"\r\n\r\n"
        "--B\r\nContent-Type: text/html\r\nContent-Transfer-Encoding: quoted-printable\r\n"
        "Content-Location: http://host.example/dir/saved.html\r\n\r\n"
        "<meta charset=3D\"windows-1252\"><p>caf=E9</p>\r\n"
        "--B\r\nContent-Type: image/png\r\nContent-Location: http://host.example/a.png\r\n\r\n"
        "PNG\r\n--B--\r\n";
    browser_.SetMainResource(
        ServedResource{"file:///home/user/saved.mhtml", archive, "application/x-mimearchive", ""});
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_EQ(servedSource_.text, "<meta charset=\"windows-1252\"><p>caf\xC3\xA9</p>");
    EXPECT_EQ(servedSource_.pageAddress, "http://host.example/dir/saved.html");
}

TEST_F(ServedSourceTest, FindsExpressionsAndWordsAndSaysWhatIsWrongWithABadOne) {
    browser_.SetMainResource(
        ServedResource{"http://h/", "<img src=a.png><img src=b.gif> cat concat", "text/html", ""});
    controller_.SelectView(MainWindowController::kServedSourceView);
    const struct {
        const char* text;
        SourceFindOptions options;
        const char* status;
    } rows[] = {
        {"src=\\w+\\.(png|gif)", {.regularExpression = true}, "1 of 2"},
        {"cat", {.wholeWord = true}, "1 of 1"},
        {"cat", {}, "1 of 2"},
        {"(png", {.regularExpression = true}, "Bad expression: missing terminating )"},
        {"(png", {}, "Not found"},
        {"(.|.)*\\d", {.regularExpression = true}, "The expression is too costly for this page"},
    };
    for (const auto& row : rows) {
        controller_.Find(row.text, row.options);
        EXPECT_EQ(surface_.findStatus, row.status) << row.text;
    }
    controller_.Find("img", SourceFindOptions{});
    controller_.FindNext();
    EXPECT_EQ(surface_.findStatus, "2 of 2");
    controller_.FindNext();
    EXPECT_EQ(surface_.findStatus, "1 of 2");
    controller_.FindPrevious();
    EXPECT_EQ(surface_.findStatus, "2 of 2");
}

TEST_F(ServedSourceTest, AnOpenSearchGoesWithTheViewIntoAndOutOfTheSource) {
    controller_.Find("body", true);
    EXPECT_THAT(CallsStartingWith(log_, "view0.Find"), ElementsAre("view0.Find(body, case, 1000)"));
    log_.clear();
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_THAT(CallsStartingWith(log_, "view0.EndFind"), ElementsAre("view0.EndFind"));
    EXPECT_THAT(CallsStartingWith(log_, "served.Find"), ElementsAre("served.Find(body)"));
    EXPECT_EQ(surface_.findStatus, "1 of 2");
    log_.clear();
    controller_.SelectView(MainWindowController::kSourceView);
    EXPECT_THAT(CallsStartingWith(log_, "served.EndFind"), ElementsAre("served.EndFind"));
    EXPECT_THAT(CallsStartingWith(log_, "view1.Find"), ElementsAre("view1.Find(body, case, 1000)"));
    log_.clear();
    controller_.EndFind();
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_THAT(CallsStartingWith(log_, "served.Find"), IsEmpty());
}

TEST_F(ServedSourceTest, ZoomsTheSourceOnItsOwn) {
    controller_.SelectView(MainWindowController::kServedSourceView);
    controller_.ZoomIn();
    EXPECT_GT(servedSource_.zoom, 1.0);
    EXPECT_EQ(browser_.ZoomLevel(), 1.0);
    controller_.ActualSize();
    EXPECT_EQ(servedSource_.zoom, 1.0);
}

TEST_F(ServedSourceTest, FollowsALinkInTheBrowserViewOrStaysForItsOwnSource) {
    controller_.SelectView(MainWindowController::kServedSourceView);
    controller_.FollowSourceLink("http://host.example/a.html", true);
    EXPECT_EQ(browser_.Address(), "http://host.example/a.html");
    EXPECT_EQ(VisibleElements(), "3");
    controller_.FollowSourceLink("http://host.example/b.html", false);
    EXPECT_EQ(browser_.Address(), "http://host.example/b.html");
    EXPECT_EQ(VisibleElements(), "0");
    // An image of the Image List: its source is shown, whichever view was.
    controller_.SelectView(MainWindowController::kImageListView);
    controller_.OpenOriginalSource("http://host.example/c.png");
    EXPECT_EQ(browser_.Address(), "http://host.example/c.png");
    EXPECT_EQ(VisibleElements(), "3");
}

// A page names what it likes; only web addresses are opened from it, and a local page's
// local files. The rest is named in panel 1 and the Browser view stays where it was.
TEST_F(ServedSourceTest, OpensOnlyWebAddressesFromAWebPage) {
    const struct {
        const char* page;
        const char* target;
        bool opened;
    } rows[] = {
        {"http://host.example/p.html", "https://other.example/i.png", true},
        {"http://host.example/p.html", "javascript:alert(1)", false},
        {"http://host.example/p.html", "JavaScript:alert(1)", false},
        {"http://host.example/p.html", "file:///etc/passwd", false},
        {"http://host.example/p.html", "data:text/html,<script>x</script>", false},
        {"http://host.example/p.html", "about:blank", false},
        {"file:///home/u/p.html", "file:///home/u/i.png", true},
        {"file:///home/u/p.html", "javascript:alert(1)", false},
    };
    for (const auto& row : rows) {
        for (const bool ownSource : {false, true}) {
            browser_.Navigate(row.page);
            surface_.statusText.clear();
            if (ownSource) {
                controller_.OpenOriginalSource(row.target);
            } else {
                controller_.FollowSourceLink(row.target, false);
            }
            EXPECT_EQ(browser_.Address(), row.opened ? row.target : row.page) << row.target;
            EXPECT_EQ(surface_.statusText, row.opened ? ""
                                                      : std::string("Not opened: ") + row.target +
                                                            " is not a web address")
                << row.target;
        }
    }
}

TEST_F(ServedSourceTest, NamesTheStartOfALongRefusedAddress) {
    const std::string picture = "data:image/png;base64," + std::string(100000, 'A');
    controller_.FollowSourceLink(picture, false);
    EXPECT_EQ(surface_.statusText,
              "Not opened: " + picture.substr(0, 120) + "\u2026 is not a web address");
}

TEST_F(ServedSourceTest, SavesTheExactBytesUnderAFreeNameOrNothing) {
    TempFolder folder;
    const fs::path chosen = folder / "page.html";
    surface_.fileToSaveSource = chosen.string();
    controller_.SaveSource();
    controller_.SaveSource();
    EXPECT_THAT(
        CallsStartingWith(log_, "surface.ChooseFileToSaveSource"),
        ElementsAre(
            "surface.ChooseFileToSaveSource(" + UserDownloadFolder().string() + ", page.html)",
            "surface.ChooseFileToSaveSource(" + UserDownloadFolder().string() + ", page.html)"));
    const std::string bytes = "<head><title>T</title></head><body>caf\xE9</body>";
    EXPECT_EQ(ReadFile(chosen), bytes);
    EXPECT_EQ(ReadFile(folder / "page (1).html"), bytes);
    EXPECT_EQ(surface_.statusText, "Saved page (1).html to " + folder.Path());

    surface_.fileToSaveSource.reset();
    controller_.SaveSource();
    browser_.SetMainResource(std::nullopt);
    surface_.fileToSaveSource = chosen.string();
    controller_.SaveSource();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
    EXPECT_EQ(surface_.statusText, "There is no page to save");
}

// A page's name is the server's to choose: the name proposed is never hidden nor empty.
TEST_F(ServedSourceTest, ProposesANameThatIsNeitherHiddenNorEmpty) {
    std::string continuationBytes;
    for (int i = 0; i < 200; ++i) {
        continuationBytes += "%80";
    }
    const struct {
        std::string path;
        std::string proposed;
    } rows[] = {
        {continuationBytes, std::string(195, '_') + ".html"},
        {"%2E%2E%2E", "index.html"},
        {".hidden", "hidden"},
        {"%2Ehtml", "html"},
    };
    for (const auto& row : rows) {
        log_.clear();
        browser_.SetMainResource(
            ServedResource{"http://host.example/" + row.path, "<p>x</p>", "text/html", ""});
        controller_.SaveSource();
        EXPECT_THAT(CallsStartingWith(log_, "surface.ChooseFileToSaveSource"),
                    ElementsAre("surface.ChooseFileToSaveSource(" + UserDownloadFolder().string() +
                                ", " + row.proposed + ")"))
            << row.path;
    }
}

// The error page of an address that could not be opened is the program's, not the server's:
// the view says there is no page, and Save Source offers nothing to save.
TEST_F(ServedSourceTest, AnErrorPageIsNoPageToShowOrSave) {
    const std::string reason = "Could not open http://127.0.0.1:9/: refused";
    browser_.Navigate("http://127.0.0.1:9/");
    browser_.SetOwnPageStatus(reason);
    browser_.SetMainResource(
        ServedResource{"about:blank", "<html>the error page</html>", "text/html", ""});
    controller_.LoadFinished(0);
    controller_.SelectView(MainWindowController::kServedSourceView);
    EXPECT_EQ(servedSource_.text, "No page: " + reason);
    EXPECT_THAT(CallsStartingWith(log_, "view0.ReadMainResourceCopy"), IsEmpty());

    TempFolder folder;
    surface_.fileToSaveSource = (folder / "page.html").string();
    controller_.SaveSource();
    EXPECT_THAT(CallsStartingWith(log_, "surface.ChooseFileToSaveSource"), IsEmpty());
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    EXPECT_EQ(surface_.statusText, "There is no page to save: " + reason);

    // The next page of the web is shown and saved again.
    browser_.SetOwnPageStatus("");
    browser_.SetMainResource(ServedResource{"http://host.example/", "<p>x</p>", "text/html", ""});
    browser_.Navigate("http://host.example/");
    controller_.LoadFinished(0);
    EXPECT_EQ(servedSource_.text, "<p>x</p>");
    controller_.SaveSource();
    EXPECT_THAT(CallsStartingWith(log_, "surface.ChooseFileToSaveSource"), ::testing::SizeIs(1));
}

}  // namespace
}  // namespace quorvane::testing

namespace quorvane::testing {
namespace {

// The switch's commands choose the mode first and then show the view, so that the view is
// read in the mode chosen; Ctrl+4 and Ctrl+U show it as served. The steps through the
// changes work only while the changes are shown.
TEST_F(ServedSourceTest, TheSwitchsCommandsShowTheViewInTheirMode) {
    const CommandTarget target{controller_, window_};
    const struct {
        CommandId command;
        const char* mode;
        CommandId ticked;  // the item of the "Served or Live" submenu ticked afterwards
    } rows[] = {
        {CommandId::SourceAsNow, "now", CommandId::SourceAsNow},
        {CommandId::SourceChanges, "changes", CommandId::SourceChanges},
        {CommandId::ServedSourceView, "served", CommandId::SourceAsServed},
        {CommandId::SourceAsServed, "served", CommandId::SourceAsServed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        controller_.SelectView(MainWindowController::kBrowserView);
        log_.clear();
        CommandFor(row.command).run(target);
        ASSERT_FALSE(log_.empty());
        EXPECT_EQ(log_.front(), std::string("window.ChooseSourceMode(") + row.mode + ")");
        EXPECT_EQ(controller_.VisibleView(), MainWindowController::kServedSourceView);
        EXPECT_TRUE(CommandFor(row.ticked).checked(target));
        EXPECT_FALSE(CommandFor(row.ticked == CommandId::SourceAsNow ? CommandId::SourceChanges
                                                                     : CommandId::SourceAsNow)
                         .checked(target));
        EXPECT_EQ(CommandFor(CommandId::NextChange).enabled(target),
                  std::string(row.mode) == "changes");
        EXPECT_EQ(CommandFor(CommandId::ReadPageAgain).enabled(target),
                  std::string(row.mode) != "served");
    }
    CommandFor(CommandId::SourceChanges).run(target);
    controller_.SelectView(MainWindowController::kBrowserView);
    EXPECT_FALSE(CommandFor(CommandId::PreviousChange).enabled(target));
}

}  // namespace
}  // namespace quorvane::testing
