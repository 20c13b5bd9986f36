// The browser events and the page analysis they start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/generated_view_load.h"
#include "engine/page_prefix.h"
#include "tests/main_window/controller_fixture.h"

namespace quorvane::testing {
namespace {

using ::testing::ElementsAre;

class BrowserEventsTest : public ControllerTest {
  protected:
    void SetUp() override { StartUp(); }

    std::string ReadWorkFile(const std::string& name) const {
        std::ifstream file(WorkPath(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // The calls that tell the generated views to load their pages.
    CallLog ViewLoads() const {
        CallLog loads = CallsStartingWith(log_, "view1.LoadFile");
        for (const std::string& call : CallsStartingWith(log_, "view2.LoadFile")) {
            loads.push_back(call);
        }
        return loads;
    }
};

TEST_F(BrowserEventsTest, StatusTextOfEveryElementGoesToPanelOne) {
    for (int index : {0, 1, 2}) {
        const std::string text = "loading in element " + std::to_string(index);
        controller_.StatusTextChange(index, text);
        EXPECT_EQ(surface_.statusText, text);
    }
    // A screen reader saying every step of every load would drown what the user must hear.
    EXPECT_THAT(surface_.said, ElementsAre());
}

TEST_F(BrowserEventsTest, ProgressOfTheBrowserViewFillsTheBar) {
    const struct {
        int index;
        std::int32_t progress, progressMax;
        float max, value;  // the bar afterwards, starting from Max 100 and Value 42
    } rows[] = {
        {0, 50, 200, 200, 50},   {0, 200, 200, 200, 200},  {0, 1, 200, 200, 1},
        {0, 0, 200, 200, 0.01f}, {0, -1, 200, 200, 0.01f}, {0, 201, 200, 200, 0.01f},
        {0, 5, 0, 100, 42},    // no maximum: the bar stays as it was
        {0, 5, -10, 100, 42},  // a maximum below the bar's minimum is ignored
        {1, 50, 200, 100, 42},   {2, 50, 200, 100, 42},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "element " << row.index << ", " << row.progress
                                          << " of " << row.progressMax);
        surface_.progressMax = 100;
        surface_.progressValue = 42;
        controller_.ProgressChange(row.index, row.progress, row.progressMax);
        EXPECT_FLOAT_EQ(surface_.progressMax, row.max);
        EXPECT_FLOAT_EQ(surface_.progressValue, row.value);
    }
}

TEST_F(BrowserEventsTest, TheBarEmptiesWhenTheBrowserViewsLoadEnds) {
    controller_.ProgressChange(0, 200, 200);
    controller_.LoadFinished(1);
    EXPECT_FLOAT_EQ(surface_.progressValue, 200);
    controller_.LoadFinished(0);
    EXPECT_FLOAT_EQ(surface_.progressValue, 0.01f);
}

TEST_F(BrowserEventsTest, APageOpensAFewWindowsAMinuteAndTheUserAsManyAsHeLikes) {
    for (int i = 0; i < 4; ++i) {
        controller_.NewWindowRequested(0, "http://pop.example/" + std::to_string(i), false);
    }
    controller_.NewWindowRequested(0, "http://asked.example/", true);
    controller_.NewWindowRequested(1, "http://generated.example/", true);
    EXPECT_THAT(CallsStartingWith(log_, "surface.StartNewWindow"),
                ElementsAre("surface.StartNewWindow(http://pop.example/0)",
                            "surface.StartNewWindow(http://pop.example/1)",
                            "surface.StartNewWindow(http://pop.example/2)",
                            "surface.StartNewWindow(http://asked.example/)"));
    EXPECT_EQ(surface_.statusText, "Blocked a window the page tried to open: http://pop.example/3");
    EXPECT_THAT(surface_.said,
                ElementsAre("Blocked a window the page tried to open: http://pop.example/3"));
}

// A page that could not be opened: the typed address stays in the box, panel 1 keeps the
// reason past the generated views' own "Done", and they say there is no page.
TEST_F(BrowserEventsTest, APageThatCouldNotBeOpenedKeepsTheTypedAddressAndTheReason) {
    surface_.address = "127.0.0.1:9";
    controller_.Go();
    browser_.Navigate("http://127.0.0.1:9/");
    browser_.SetOwnPageStatus("Could not open http://127.0.0.1:9/: refused");
    browser_.SetBody("<body>the error page <img src=\"x.png\"></body>");
    controller_.TitleChange(0, "");
    EXPECT_EQ(surface_.address, "127.0.0.1:9");
    controller_.StatusTextChange(0, "Done");
    controller_.LoadFinished(0);
    controller_.StatusTextChange(1, "Done");
    controller_.StatusTextChange(0, "Done");
    EXPECT_EQ(surface_.statusText, "Could not open http://127.0.0.1:9/: refused");
    EXPECT_THAT(surface_.said, ElementsAre("Could not open http://127.0.0.1:9/: refused"));
    EXPECT_TRUE(controller_.Lists().imageTags.addresses.empty());
    EXPECT_EQ(ReadWorkFile("source.htm"),
              "<p>No page: Could not open http://127.0.0.1:9/: refused</p>\r\n");
    EXPECT_EQ(ReadWorkFile("imagepage.html"), ReadWorkFile("source.htm"));

    // The next page of the web takes the box back, and so does an error page of another
    // address (a link followed from there).
    browser_.SetOwnPageStatus("");
    browser_.Navigate("http://host.example/");
    controller_.TitleChange(0, "");
    EXPECT_EQ(surface_.address, "http://host.example/");
    browser_.SetOwnPageStatus("Could not open http://other.example/: refused");
    browser_.Navigate("http://other.example/");
    controller_.TitleChange(0, "");
    EXPECT_EQ(surface_.address, "http://other.example/");
}

TEST_F(BrowserEventsTest, TitleOfTheBrowserViewSetsAddressAndCaption) {
    browser_.Navigate("http://host.example/page.html");
    browser_.SetTitle("A Page");
    surface_.address = "what the user is typing";
    controller_.TitleChange(0, "the event's text is not used");
    EXPECT_EQ(surface_.address, "http://host.example/page.html");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads - A Page");

    browser_.SetTitle("");
    controller_.TitleChange(0, "");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads - ");
}

TEST_F(BrowserEventsTest, TitlesOfTheGeneratedViewsChangeNothing) {
    source_.SetTitle("source");
    source_.LoadFile("/work/source.htm");
    surface_.address = "typed";
    for (int index : {1, 2}) {
        controller_.TitleChange(index, "source");
    }
    EXPECT_EQ(surface_.address, "typed");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads");
}

TEST_F(BrowserEventsTest, EveryDownloadOfTheBrowserViewIsAnalysedAndNoneOfTheOthers) {
    controller_.LoadFinished(1);
    controller_.LoadFinished(2);
    EXPECT_TRUE(CallsStartingWith(log_, "view0.CaptureBodyHtml").empty());

    controller_.StopAll();  // a stopped load ends with a download too
    controller_.LoadFinished(0);
    controller_.LoadFinished(0);
    EXPECT_EQ(CallsStartingWith(log_, "view0.CaptureBodyHtml").size(), 2u);
    EXPECT_EQ(ViewLoads().size(), 4u);
}

TEST_F(BrowserEventsTest, PageWithoutADocumentStillGivesBothViews) {
    browser_.SetBody(std::nullopt);
    controller_.LoadFinished(0);
    EXPECT_EQ(ReadWorkFile("source.htm"), "\r\n");
    EXPECT_EQ(ReadWorkFile("checkImages.txt"), "\r\n");
    EXPECT_THAT(ViewLoads(), ElementsAre("view1.LoadFile(" + WorkPath("source.htm") + ")",
                                         "view2.LoadFile(" + WorkPath("imagepage.html") + ")"));
}

TEST_F(BrowserEventsTest, CapturedBodyOfTheBrowserViewIsAnalysedAtItsAddress) {
    browser_.Navigate("http://host.example/dir/page.html");
    browser_.SetBody("<body>a\n<img src=\"pics/a.gif\"></body>");
    controller_.LoadFinished(0);
    EXPECT_THAT(controller_.Lists().imageTags.addresses,
                ElementsAre("http://host.example/dir/pics/a.gif"));
    EXPECT_THAT(controller_.Lists().imageTags.fileNames, ElementsAre("a.gif"));
    // The line break, made CR LF, shows as two breaks.
    EXPECT_EQ(ReadWorkFile("source.htm").substr(0, 25), "&lt;body>a<BR><BR>&lt;img");
}

// While a large page is analysed, the Source Code view shows the first screen its page will
// most likely have, made from the start of the body alone: for an ordinary page, exactly
// the first screen of the page the analysis then writes. A small page has none.
TEST_F(BrowserEventsTest, TheSourceCodeViewsFirstScreenIsMadeFromTheBodysStart) {
    std::string large = "<body>\r\n";
    for (int k = 0; large.size() < 300'000; ++k) {
        large += "<p>Line " + std::to_string(k) + " <img src=\"pics/p" + std::to_string(k % 50) +
                 ".gif\"> & <a href=\"big" + std::to_string(k) + ".jpg\">big</a></p>\r\n";
    }
    const struct {
        const char* name;
        std::string body;
        bool prepared;
    } rows[] = {
        {"large", large + "</body>", true},
        {"small", "<body><img src=\"a.gif\"></body>", false},
    };
    browser_.Navigate("http://host.example/dir/page.html");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        source_.SetPreparedFirstScreen("", "", true);
        browser_.SetBody(row.body);
        controller_.LoadFinished(0);
        const std::string page = ReadWorkFile("source.htm");
        const std::string_view firstScreen = PagePrefix(page, GeneratedViewLoad::kFirstScreenBytes);
        ASSERT_FALSE(firstScreen.empty());
        EXPECT_EQ(source_.PreparedFirstScreen().first,
                  row.prepared ? std::string(firstScreen) : std::string());
        EXPECT_EQ(source_.PreparedFirstScreen().second, row.prepared ? WorkPath("source.htm") : "");
    }
}

// The Images view's first screen is made from the body's start too, from the images of the
// tags it holds whole: for an ordinary page, the first screen of the page the analysis then
// writes; with a tag cut at the start's end, the images before it. A start without an image
// prepares none, nor does a small page.
TEST_F(BrowserEventsTest, TheImagesViewsFirstScreenIsMadeFromTheBodysStart) {
    const std::size_t startChars = GeneratedViewLoad::kFirstScreenBytes * 3 / 2;
    const std::string filler = "<p>Some text of the page</p>\r\n";
    std::string many = "<body>\r\n";
    for (int k = 0; many.size() < 300'000; ++k) {
        many += "<p>Line " + std::to_string(k) + " <img src=\"pics/p" + std::to_string(k) +
                ".gif\"></p>\r\n";
    }
    std::string cut = "<body><img src=\"pics/first.gif\">\r\n";
    while (cut.size() + filler.size() < startChars - 20) {
        cut += filler;
    }
    cut += std::string(startChars - 20 - cut.size(), ' ') + "<img src=\"pics/cut-name.gif\">";
    std::string late = "<body>\r\n";
    while (late.size() < 2 * startChars) {
        late += filler;
    }
    const struct {
        const char* name;
        std::string body;
        const char* screen;  // "whole": the written page's first screen; "start": its start
    } rows[] = {
        {"many images", many + "</body>", "whole"},
        {"a tag cut at the start's end", cut + filler + "</body>", "start"},
        {"no image in the start", late + "<img src=\"late.gif\"></body>", ""},
        {"small", "<body><img src=\"a.gif\"></body>", ""},
    };
    browser_.Navigate("http://host.example/dir/page.html");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        images_.SetPreparedFirstScreen("", "", true);
        browser_.SetBody(row.body);
        controller_.LoadFinished(0);
        const std::string page = ReadWorkFile("imagepage.html");
        const std::string& prepared = images_.PreparedFirstScreen().first;
        const std::string screen = row.screen;
        EXPECT_EQ(images_.PreparedFirstScreen().second,
                  screen.empty() ? "" : WorkPath("imagepage.html"));
        if (screen == "whole") {
            EXPECT_EQ(prepared, PagePrefix(page, GeneratedViewLoad::kFirstScreenBytes));
        } else if (screen == "start") {
            EXPECT_THAT(prepared, ::testing::HasSubstr("pics/first.gif"));
            EXPECT_THAT(prepared, ::testing::Not(::testing::HasSubstr("cut")));
            EXPECT_TRUE(page.starts_with(prepared)) << prepared;
        } else {
            EXPECT_EQ(prepared, "");
        }
    }
}

// Before the generated views load a page's analysis, they are told whether that page
// may have them load local files: only a local page may.
TEST_F(BrowserEventsTest, TheGeneratedViewsOfAWebPageLoadNoLocalFiles) {
    const std::pair<const char*, const char*> rows[] = {
        {"http://host.example/page.html", "true"},
        {"https://host.example/page.html", "true"},
        {"file:///home/user/page.html", "false"},
        {"about:blank", "true"},
    };
    for (const auto& [address, blocked] : rows) {
        browser_.Navigate(address);
        log_.clear();
        controller_.LoadFinished(0);
        for (const char* view : {"view1", "view2"}) {
            const std::string name = view;
            CallLog calls = CallsStartingWith(log_, name + ".SetLocalFilesBlocked");
            for (const std::string& call : CallsStartingWith(log_, name + ".LoadFile")) {
                calls.push_back(call);
            }
            ASSERT_EQ(calls.size(), 2u) << address;
            EXPECT_EQ(calls[0], name + ".SetLocalFilesBlocked(" + blocked + ")") << address;
            EXPECT_LT(std::find(log_.begin(), log_.end(), calls[0]),
                      std::find(log_.begin(), log_.end(), calls[1]));
        }
    }
}

TEST_F(BrowserEventsTest, ACaptureThatFailsIsAPageWithoutADocument) {
    browser_.SetBody("<body>old</body>");
    controller_.LoadFinished(0);
    browser_.FailOn("CaptureBodyHtml");
    controller_.LoadFinished(0);
    EXPECT_EQ(ReadWorkFile("source.htm"), "\r\n");
    EXPECT_EQ(ViewLoads().size(), 4u);
    // Nothing is left half-done: the next download is analysed again.
    controller_.LoadFinished(0);
    EXPECT_EQ(ViewLoads().size(), 6u);
}

TEST_F(BrowserEventsTest, AnalysisGoesOnPastBrowserFailures) {
    browser_.FailOn("Address");
    source_.FailOn("LoadFile");
    controller_.LoadFinished(0);
    EXPECT_THAT(ViewLoads(), ElementsAre("view1.LoadFile(" + WorkPath("source.htm") + ")",
                                         "view2.LoadFile(" + WorkPath("imagepage.html") + ")"));
}

// A fault of the program ends the analysis of that page only: the views keep the pages
// they show, panel 1 says the analysis failed, and the next download is analysed.
TEST_F(BrowserEventsTest, AFaultEndsThatPagesAnalysisAndSaysSoInPanelOne) {
    browser_.FaultOn("Address");
    controller_.LoadFinished(0);
    EXPECT_TRUE(ViewLoads().empty());
    EXPECT_EQ(surface_.statusText, "The analysis of this page failed: view0: Address went wrong");
    controller_.LoadFinished(0);
    EXPECT_EQ(CallsStartingWith(log_, "view0.CaptureBodyHtml").size(), 2u);
}

TEST_F(BrowserEventsTest, DownloadsDuringAPendingCaptureAreAnalysedOnceAfterIt) {
    browser_.AnswerCapturesOnDemand();
    controller_.LoadFinished(0);
    controller_.LoadFinished(0);
    controller_.RefreshPage();
    EXPECT_EQ(browser_.WaitingCaptures(), 1u);
    EXPECT_TRUE(ViewLoads().empty());

    browser_.AnswerCapture();
    EXPECT_EQ(ViewLoads().size(), 2u);
    EXPECT_EQ(browser_.WaitingCaptures(), 1u);  // the one analysis asked for meanwhile

    browser_.AnswerCapture();
    EXPECT_EQ(ViewLoads().size(), 4u);
    EXPECT_EQ(browser_.WaitingCaptures(), 0u);
    EXPECT_EQ(CallsStartingWith(log_, "view0.CaptureBodyHtml").size(), 2u);
}

// From the capture of a new page until the generated views are sent to its analysis, they
// say they prepare it rather than show the old page as the new one, and panel 1 names the
// one shown; an analysis that fails ends it too.
TEST_F(BrowserEventsTest, TheGeneratedViewsSayTheyPrepareTheNewPageUntilItIsMade) {
    const struct {
        const char* name;
        int shown;
        bool fault;
        std::string statusMeanwhile;
    } rows[] = {
        {"Source Code shown", 1, false, "Preparing the Source Code view for the new page..."},
        {"Images shown", 2, false, "Preparing the Images view for the new page..."},
        {"Browser shown", 0, false, "Done"},
        {"the analysis fails", 1, true, "Preparing the Source Code view for the new page..."},
    };
    browser_.AnswerCapturesOnDemand();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ClickTab(row.shown);
        surface_.statusText = "Done";
        if (row.fault) {
            browser_.FaultOn("Address");
        }
        controller_.LoadFinished(0);
        EXPECT_TRUE(source_.Preparing() && images_.Preparing());
        EXPECT_EQ(surface_.statusText, row.statusMeanwhile);
        browser_.AnswerCapture();
        EXPECT_FALSE(source_.Preparing() || images_.Preparing());
    }
}

// A page cut short or a view file that cannot be written is said in panel 1, and said
// again after each generated view's own load has put its status text there; an
// ordinary page leaves the panel to the views.
TEST_F(BrowserEventsTest, WhatTheAnalysisHasToSayStaysInPanelOneAfterTheViewsLoad) {
    std::string names = "<body>";
    for (int k = 24; k > 0; --k) {
        names += "<img src=\"" + std::string(k, 'a') + ".gif\">\r\n";
    }
    const struct {
        std::string body;
        bool sourceFileIsAFolder;
        std::string note;
    } rows[] = {
        {names, false,
         "Source Code: 17 of 24 image names linked; the rest would make the page too large"},
        {"<body><img src=\"a.gif\"></body>", true,
         "Cannot write " + WorkPath("source.htm") + ": Is a directory"},
        {"<body><img src=\"a.gif\"></body>", false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        std::filesystem::remove_all(WorkPath("source.htm"));
        if (row.sourceFileIsAFolder) {
            std::filesystem::create_directory(WorkPath("source.htm"));
        }
        browser_.SetBody(row.body);
        surface_.statusText = "Done";
        controller_.LoadFinished(0);
        EXPECT_EQ(surface_.statusText, row.note.empty() ? "Done" : row.note);
        for (int view : {1, 2}) {
            controller_.StatusTextChange(view, "Done");
            controller_.LoadFinished(view);
            EXPECT_EQ(surface_.statusText, row.note.empty() ? "Done" : row.note);
        }
        // A later load of a view (a link followed) is the view's own business.
        controller_.StatusTextChange(1, "Done");
        controller_.LoadFinished(1);
        EXPECT_EQ(surface_.statusText, "Done");
    }
}

}  // namespace
}  // namespace quorvane::testing
