// The main window end to end: the real frame, real WebKit elements, pages served from
// 127.0.0.1, and the work files the analysis writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <wx/notebook.h>
#include <wx/webview.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "analysis/page_analysis.h"
#include "analysis/work_files.h"
#include "base/line_breaks.h"
#include "branding/branding_values.h"
#include "desktop/program_folder.h"
#include "engine/address_to_load.h"
#include "main_window/commands.h"
#include "main_window/gui/find_bar.h"
#include "tests/e2e/dialog_user.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/program_process.h"

namespace quorvane::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Image tags of every kind the scanner meets on real pages, and links to image files.
std::string ImageTagsPage(const std::string& absoluteImage) {
    return "<html><head><title>Image tags</title></head><body>\n"
           "<p>marker-image-tags</p>\n"
           "<img src=\"pics/relative.gif\">\n"
           "<img src=\"/root/rooted.png\">\n"
           "<img src=\"" +
           absoluteImage +
           "\">\n"
           "<img src='pics/single.jpg'>\n"
           "<IMG SRC=\"pics/upper.gif\">\n"
           "<img src=\"pics/relative.gif\">\n"
           "<a href=\"pics/linked.jpg\">a linked picture</a>\n"
           "<a href=\"other.html\">not a picture</a>\n"
           "</body></html>\n";
}

TEST_F(MainWindowEndToEnd, StartsOnTheHomePageWithItsAnalysisInBothViews) {
    const std::string home = AddressToLoad(ProgramFolder() + "/home.html");
    EXPECT_EQ(frame_->GetTitle().utf8_string(),
              branding.productName + " by " + branding.companyName + " - Welcome to Quorvane");
    EXPECT_EQ(frame_->AddressText(), home);
    EXPECT_EQ(frame_->StatusPanelCount(), 2);
    EXPECT_EQ(frame_->SelectedTab(), 1);
    EXPECT_TRUE(frame_->Element(0).Visible());
    EXPECT_FALSE(frame_->Element(1).Visible());
    EXPECT_FALSE(frame_->Element(2).Visible());
    // Three pictures in image tags, two more named by links, each name a link.
    const std::string source = ReadWorkFile("/source.htm");
    for (const char* name : {"home-browser.svg", "home-source.svg", "home-images.svg",
                             "home-poster.jpg", "home-target.gif"}) {
        EXPECT_THAT(source, HasSubstr(std::string(name) + "</a>")) << name;
    }
    const std::string imagePage = ReadWorkFile("/imagepage.html");
    EXPECT_EQ(CountOf(imagePage, "<img src="), 3);
    // The local start page's pictures keep their file URLs, so the Images view shows them.
    EXPECT_THAT(imagePage,
                HasSubstr("<img src='" + AddressToLoad(ProgramFolder() + "/home-browser.svg")));
    // None of the engine's threads in the window's process runs real-time.
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const int policy =
            sched_getscheduler(std::stoi(task.path().filename().string())) & ~SCHED_RESET_ON_FORK;
        EXPECT_NE(policy, SCHED_RR) << task.path();
        EXPECT_NE(policy, SCHED_FIFO) << task.path();
    }
}

TEST_F(MainWindowEndToEnd, AnalysesEveryKindOfImageTagAndShowsTheGeneratedPages) {
    server_.Serve("/site/dir/page.html", "text/html",
                  ImageTagsPage(server_.Url("/abs/absolute.png")));
    const std::string page = server_.Url("/site/dir/page.html");
    TypeAddressAndPressEnter(page);
    ASSERT_TRUE(WaitForAnalysedPage(page, "marker-image-tags"));

    const AnalysisLists& lists = frame_->Controller().Lists();
    EXPECT_THAT(lists.imageTags.fileNames,
                UnorderedElementsAre("relative.gif", "rooted.png", "absolute.png", "single.jpg",
                                     "upper.gif"));
    EXPECT_THAT(lists.imageTags.addresses, Contains(server_.Url("/abs/absolute.png")));
    EXPECT_THAT(lists.imageTags.addresses, Contains(server_.Url("/site/dir/pics/relative.gif")));
    EXPECT_THAT(lists.imageLinks.fileNames, Contains("linked.jpg"));
    EXPECT_THAT(lists.imageLinks.fileNames, Not(Contains("other.html")));

    // What the program wrote is exactly what the analysis makes of the captured body, its
    // line breaks made CR LF.
    const std::optional<std::string> body = CaptureBrowserBody();
    ASSERT_TRUE(body.has_value());
    const auto reference = FreshTempFolder("reference");
    EnsureWorkFiles(reference.string());
    AnalysisLists referenceLists;
    AnalysePageText(reference.string(), WithCrLfLineBreaks(*body), page, referenceLists);
    EXPECT_EQ(ReadWorkFile("/source.htm"), ReadFileBytes(reference / "source.htm"));
    EXPECT_EQ(ReadWorkFile("/imagepage.html"), ReadFileBytes(reference / "imagepage.html"));
    EXPECT_EQ(CountOf(ReadWorkFile("/imagepage.html"), "<img src="), 5);
    std::filesystem::remove_all(reference);
    // The views left the work files holding an empty line each.
    for (const char* name :
         {"/checkImages.txt", "/checkImagesClean.txt", "/browser.txt", "/images.htm"}) {
        EXPECT_EQ(ReadWorkFile(name), "\r\n") << name;
    }
}

TEST_F(MainWindowEndToEnd, BackUpDirAndRefreshDriveTheBrowserView) {
    server_.Serve("/site/dir/first.html", "text/html",
                  "<html><body><p>marker-first</p></body></html>");
    server_.Serve("/site/dir/second.html", "text/html",
                  "<html><body><p>marker-second</p></body></html>");
    server_.Serve("/site/dir/", "text/html", "<html><body><p>marker-folder</p></body></html>");
    const std::string first = server_.Url("/site/dir/first.html");
    const std::string second = server_.Url("/site/dir/second.html");
    TypeAddressAndPressEnter(first);
    ASSERT_TRUE(WaitForAnalysedPage(first, "marker-first"));
    TypeAddressAndPressEnter(second);
    ASSERT_TRUE(WaitForAnalysedPage(second, "marker-second"));

    frame_->Controller().Back();
    ASSERT_TRUE(WaitForAnalysedPage(first, "marker-first"));

    // Up Dir shows the folder's address at once and ends on the Browser view.
    frame_->Controller().SelectView(1);
    frame_->Controller().UpDir();
    EXPECT_EQ(frame_->AddressText(), server_.Url("/site/dir/"));
    EXPECT_EQ(frame_->SelectedTab(), 1);
    EXPECT_TRUE(frame_->Element(0).Visible());
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/site/dir/"), "marker-folder"));

    // Refresh asks the server again and analyses the page again.
    const auto asked = [&] {
        const auto paths = server_.RequestedPaths();
        return std::count(paths.begin(), paths.end(), "/site/dir/");
    };
    const auto before = asked();
    std::filesystem::remove(WorkFile("/source.htm"));
    frame_->Controller().RefreshPage();
    EXPECT_TRUE(WaitUntil([&] { return asked() == before + 1; }));
    EXPECT_TRUE(WaitForAnalysedPage(server_.Url("/site/dir/"), "marker-folder"));
}

// Pages without a title, one after another: the title never changes, yet each new page
// must show its own address in the box.
TEST_F(MainWindowEndToEnd, EveryNewPageSetsAddressAndCaptionEvenWithoutATitle) {
    const std::string startCaption = branding.productName + " by " + branding.companyName;
    server_.Serve("/untitled/a.html", "text/html", "<html><body><p>marker-a</p></body></html>");
    server_.Serve("/untitled/b.html", "text/html", "<html><body><p>marker-b</p></body></html>");
    server_.Serve("/titled/c.html", "text/html",
                  "<html><head><title>Same</title></head><body><p>marker-c</p></body></html>");
    server_.Serve("/titled/d.html", "text/html",
                  "<html><head><title>Same</title></head><body><p>marker-d</p></body></html>");
    const struct {
        std::string path;
        const char* marker;
        const char* title;
    } pages[] = {{"/untitled/a.html", "marker-a", ""},
                 {"/untitled/b.html", "marker-b", ""},
                 {"/titled/c.html", "marker-c", "Same"},
                 {"/titled/d.html", "marker-d", "Same"}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.path);
        // Typed without its scheme, so only the browser's own address matches it.
        const std::string address = server_.Url(page.path);
        TypeAddressAndPressEnter(address.substr(std::string("http://").size()));
        ASSERT_TRUE(WaitForAnalysedPage(address, page.marker));
        EXPECT_EQ(frame_->AddressText(), address);
        EXPECT_EQ(frame_->GetTitle().utf8_string(), startCaption + " - " + page.title);
    }
}

TEST_F(MainWindowEndToEnd, BackWithNoEarlierPageInTheImagesViewChangesNothing) {
    frame_->Controller().SelectView(2);
    const std::string shown = frame_->Element(2).Address();
    frame_->Controller().Back();
    // An engine asked for a page, by its history or otherwise, has a load to do from that
    // moment on, before it says anything: none was asked for one.
    for (const int view : {0, 1, 2}) {
        EXPECT_FALSE(EngineLoading(view)) << view;
    }
    EXPECT_EQ(frame_->Element(2).Address(), shown);
    EXPECT_TRUE(frame_->Element(2).Visible());
    EXPECT_EQ(frame_->SelectedTab(), 3);
}

// The picture sits in a template, which the Browser view never renders, so only the
// Images view can ask the server for it.
TEST_F(MainWindowEndToEnd, TheImagesViewFetchesPicturesOnlyWhileItIsShown) {
    server_.Serve("/shy/page.html", "text/html",
                  "<html><body><p>marker-shy</p>"
                  "<template><img src=\"pics/shy.gif\"></template></body></html>");
    const auto asked = [&] {
        const auto paths = server_.RequestedPaths();
        return std::count(paths.begin(), paths.end(), "/shy/pics/shy.gif");
    };
    const std::string page = server_.Url("/shy/page.html");
    TypeAddressAndPressEnter(page);
    // The hidden Images view has loaded the image page by now. A picture it fetched would
    // have held its load end back until the server had answered, and so been asked for.
    ASSERT_TRUE(WaitForAnalysedPage(page, "marker-shy"));
    EXPECT_EQ(asked(), 0);

    frame_->Controller().SelectView(2);
    EXPECT_TRUE(WaitUntil([&] { return asked() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return DrawsSomething(2); }));
}

class FreshMainWindowEndToEnd : public MainWindowEndToEnd {
  protected:
    FreshMainWindowEndToEnd() { opening_ = Views::AsAtStart; }
};

// A generated view's engine is made when the user first shows the view, not at start. Shown,
// the view has the page the Browser view has now, never one before it, drawn, and a search
// asked for before it was shown runs on that page.
TEST_F(FreshMainWindowEndToEnd, AViewFirstShownMakesItsEngineForTheCurrentPage) {
    for (const std::string name : {"first", "second"}) {
        server_.Serve("/fresh/" + name + ".html", "text/html",
                      "<html><body><p>marker-" + name + "</p><img src=\"" + name +
                          "-picture.png\"></body></html>");
    }
    for (const std::string name : {"first", "second"}) {
        const std::string page = server_.Url("/fresh/" + name + ".html");
        TypeAddressAndPressEnter(page);
        ASSERT_TRUE(WaitForAnalysedPage(page, "marker-" + name));
    }
    frame_->Controller().Find("second-picture", false);
    for (const int view : {1, 2}) {
        SCOPED_TRACE(view);
        EXPECT_EQ(frame_->Element(view).Window(), nullptr);
        frame_->Controller().SelectView(view);
        ASSERT_NE(frame_->Element(view).Window(), nullptr);
        EXPECT_TRUE(WaitUntil([&] { return ViewsShowTheWorkFiles() && DrawsSomething(view); }));
        EXPECT_TRUE(WaitUntil([&] { return frame_->FindBarControl()->Status() == "1 of 1"; }))
            << frame_->FindBarControl()->Status();
    }
    EXPECT_THAT(PageSource(1), HasSubstr("marker-second"));
}

// The user is on the Source Code view while a 20 MB page loads: the engine is still busy
// with that very tall source page when the next, small page comes, and the next page must
// show at once all the same. The huge page keeps its lines in a comment, which costs the
// Browser view nothing and the Source Code view everything.
TEST_F(MainWindowEndToEnd, TheNextPageWinsOverTheShownSourceOfAHugeOne) {
    std::string huge = "<html><body><p>marker-huge</p><!--\n";
    const std::string line = "a line of a very large page, kept in a comment of it; " +
                             std::string("lorem ipsum dolor sit amet consectetur ") + "\n";
    while (huge.size() < 20'000'000) {
        huge += line;
    }
    server_.Serve("/huge.html", "text/html", huge + "--></body></html>");
    server_.Serve("/small.html", "text/html", "<html><body><p>marker-small</p></body></html>");
    const std::string sourcePage = AddressToLoad(WorkFile("/source.htm"));
    const std::string imagePage = AddressToLoad(WorkFile("/imagepage.html"));

    frame_->Controller().SelectView(1);
    {
        LoadClock clock(*frame_, {server_.Url("/huge.html"), sourcePage, imagePage});
        TypeAddressAndPressEnter(server_.Url("/huge.html"));
        ASSERT_TRUE(WaitUntil([&] { return clock.BrowserViewLoaded(); }, std::chrono::seconds(60)));
    }
    // The analysis writes the huge page's source (the start page's is a few kilobytes), and
    // then sends the Source Code view to it.
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::error_code unwritten;
            return std::filesystem::file_size(WorkFile("/source.htm"), unwritten) > 1'000'000 &&
                   frame_->Element(1).Busy();
        },
        std::chrono::seconds(120)));

    LoadClock clock(*frame_, {server_.Url("/small.html"), sourcePage, imagePage});
    TypeAddressAndPressEnter(server_.Url("/small.html"));
    ASSERT_TRUE(WaitUntil([&] { return clock.BrowserViewLoaded(); }));
    // Left to itself the engine lays the huge page out for minutes before it turns to the
    // next one; on a quiet machine the views follow in well under a second.
    ASSERT_TRUE(WaitUntil([&] { return clock.BothViewsLoaded(); }));
    const auto took = std::max(clock.End(1), clock.End(2)) - clock.End(0);
    std::printf("the views showed the next page %lld ms after the Browser view\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    EXPECT_TRUE(WaitUntil([&] {
        return ReadWorkFile("/source.htm").find("marker-small") != std::string::npos &&
               ViewsShowTheWorkFiles();
    }));
    EXPECT_TRUE(WaitUntil([&] { return DrawsSomething(1); }));
}

// The user is on the Source Code view while a 20 MB page of text loads: its first screen is
// on the screen before the view has even read the whole page, the very picture the whole
// page shows at its top once the engine has laid it all out, and a search asked for then
// finds the page's last word once the whole page is there. (How soon after the Browser
// view's load end is views_bench's to say.)
TEST_F(MainWindowEndToEnd, AHugePagesSourceShowsItsFirstScreenAtOnceAndTheWholeLater) {
    std::string huge = "<html><body>\n";
    for (int line = 0; huge.size() < 20'000'000; ++line) {
        huge += "<p>line " + std::to_string(line) + " of a very large page of plain words</p>\n";
    }
    server_.Serve("/huge-text.html", "text/html", huge + "<p>marker-lastword</p></body></html>");
    // The scroll bars differ: the first screen is a shorter page than the whole.
    constexpr int kScrollBarStrip = 40;
    server_.Serve("/before.html", "text/html", "<html><body><p>marker-before</p></body></html>");
    frame_->Controller().SelectView(1);
    // A page before, as a user has: the cover over the view makes its engine process on first
    // use, which on a loaded machine may take longer than reading the page.
    TypeAddressAndPressEnter(server_.Url("/before.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/before.html"), "marker-before"));
    LoadClock clock(*frame_,
                    {server_.Url("/huge-text.html"), AddressToLoad(WorkFile("/source.htm")), ""});
    TypeAddressAndPressEnter(server_.Url("/huge-text.html"));
    ASSERT_TRUE(WaitUntil([&] { return clock.BrowserViewLoaded(); }, std::chrono::seconds(120)));
    std::set<std::string> seenBeforeTheWholeWasRead;
    ASSERT_TRUE(WaitUntil(
        [&] {
            seenBeforeTheWholeWasRead.insert(Picture(1, kScrollBarStrip));
            return clock.Loaded(1);
        },
        std::chrono::seconds(120)));
    frame_->Controller().Find("marker-lastword", false);
    EXPECT_TRUE(WaitUntil([&] { return frame_->FindBarControl()->Status() == "1 of 1"; },
                          std::chrono::minutes(5)))
        << frame_->FindBarControl()->Status();
    // The whole page is on the screen, at its last word, once the engine has drawn it there.
    ASSERT_TRUE(
        WaitUntil([&] { return !seenBeforeTheWholeWasRead.contains(Picture(1, kScrollBarStrip)); },
                  std::chrono::minutes(2)));
    frame_->Controller().EndFind();
    // Keys typed before the engine has drawn the search's end wait for it.
    ASSERT_TRUE(WaitUntilLaidOut(1, std::chrono::minutes(2)));
    // The generated views run no script: the user goes back to the top by the keyboard.
    TypeKeys("ctrl+2");
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->Element(1).Window(); }));
    TypeKeys("ctrl+Home");
    EXPECT_TRUE(
        WaitUntil([&] { return seenBeforeTheWholeWasRead.contains(Picture(1, kScrollBarStrip)); }));
    EXPECT_THAT(ReadWorkFile("/source.htm"), HasSubstr("marker-lastword"));
}

TEST_F(MainWindowEndToEnd, OpensALocalFileChosenInTheOpenDialog) {
    const auto folder = FreshTempFolder("open");
    const auto file = folder / "local page.html";
    std::ofstream(file) << "<html><body><p>marker-local</p><img src=\"local.png\"></body></html>";
    // The dialog is modal: a user types the path into it while it waits, and presses Enter
    // once the dialog shows the whole path.
    std::thread user([&] {
        const DialogUser user("Select a file");
        EXPECT_TRUE(user.WaitUntilShown() && user.TypePath(file.string()) && user.Do("key Return"));
        EXPECT_TRUE(user.WaitUntilGone()) << "the open dialog stayed open";
    });
    CommandFor(CommandId::Open).run({frame_->Controller(), *frame_});
    user.join();
    EXPECT_TRUE(WaitForAnalysedPage(AddressToLoad(file.string()), "marker-local"));
    EXPECT_THAT(frame_->Controller().Lists().imageTags.fileNames, Contains("local.png"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorvane::test
