// The browser events and the page analysis they start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

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
        CallLog loads = CallsStartingWith(log_, "wb1.Navigate2");
        for (const std::string& call : CallsStartingWith(log_, "wb2.Navigate2")) {
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
    controller_.DownloadComplete(1);
    EXPECT_FLOAT_EQ(surface_.progressValue, 200);
    controller_.DownloadComplete(0);
    EXPECT_FLOAT_EQ(surface_.progressValue, 0.01f);
}

TEST_F(BrowserEventsTest, TitleOfTheBrowserViewSetsAddressAndCaption) {
    wb0_.Navigate("http://host.example/page.html");
    wb0_.SetTitle("A Page");
    surface_.address = "what the user is typing";
    controller_.TitleChange(0, "the event's text is not used");
    EXPECT_EQ(surface_.address, "http://host.example/page.html");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads - A Page");

    wb0_.SetTitle("");
    controller_.TitleChange(0, "");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads - ");
}

TEST_F(BrowserEventsTest, TitlesOfTheGeneratedViewsChangeNothing) {
    wb1_.SetTitle("source");
    wb1_.Navigate2("/work/source.htm");
    surface_.address = "typed";
    for (int index : {1, 2}) {
        controller_.TitleChange(index, "source");
    }
    EXPECT_EQ(surface_.address, "typed");
    EXPECT_EQ(surface_.caption, "Quorvane by Tarnwick Downloads");
}

TEST_F(BrowserEventsTest, EveryDownloadOfTheBrowserViewIsAnalysedAndNoneOfTheOthers) {
    controller_.DownloadComplete(1);
    controller_.DownloadComplete(2);
    EXPECT_TRUE(CallsStartingWith(log_, "wb0.CaptureBodyHtml").empty());

    controller_.StopAll();  // a stopped load ends with a download too
    controller_.DownloadComplete(0);
    controller_.DownloadComplete(0);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.CaptureBodyHtml").size(), 2u);
    EXPECT_EQ(ViewLoads().size(), 4u);
}

TEST_F(BrowserEventsTest, PageWithoutADocumentStillGivesBothViews) {
    wb0_.SetBody(std::nullopt);
    controller_.DownloadComplete(0);
    EXPECT_EQ(ReadWorkFile("source.htm"), "\r\n");
    EXPECT_EQ(ReadWorkFile("checkImages.txt"), "\r\n");
    EXPECT_THAT(ViewLoads(), ElementsAre("wb1.Navigate2(" + WorkPath("source.htm") + ")",
                                         "wb2.Navigate2(" + WorkPath("imagepage.html") + ")"));
}

TEST_F(BrowserEventsTest, CapturedBodyOfTheBrowserViewIsAnalysedAtItsAddress) {
    wb0_.Navigate("http://host.example/dir/page.html");
    wb0_.SetBody("<body>a<img src=\"pics/a.gif\"></body>");
    controller_.DownloadComplete(0);
    EXPECT_THAT(controller_.Lists().Links[1], ElementsAre("http://host.example/dir/pics/a.gif"));
    EXPECT_THAT(controller_.Lists().frmList[1], ElementsAre("a.gif"));
    EXPECT_EQ(ReadWorkFile("source.htm").substr(0, 9), "&lt;body>");
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
        wb0_.Navigate(address);
        log_.clear();
        controller_.DownloadComplete(0);
        for (const char* view : {"wb1", "wb2"}) {
            const std::string name = view;
            CallLog calls = CallsStartingWith(log_, name + ".SetLocalFilesBlocked");
            for (const std::string& call : CallsStartingWith(log_, name + ".Navigate2")) {
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
    wb0_.SetBody("<body>old</body>");
    controller_.DownloadComplete(0);
    wb0_.FailOn("CaptureBodyHtml");
    controller_.DownloadComplete(0);
    EXPECT_EQ(ReadWorkFile("source.htm"), "\r\n");
    EXPECT_EQ(ViewLoads().size(), 4u);
    // Nothing is left half-done: the next download is analysed again.
    controller_.DownloadComplete(0);
    EXPECT_EQ(ViewLoads().size(), 6u);
}

TEST_F(BrowserEventsTest, AnalysisGoesOnPastBrowserFailures) {
    wb0_.FailOn("LocationURL");
    wb1_.FailOn("Navigate2");
    controller_.DownloadComplete(0);
    EXPECT_THAT(ViewLoads(), ElementsAre("wb1.Navigate2(" + WorkPath("source.htm") + ")",
                                         "wb2.Navigate2(" + WorkPath("imagepage.html") + ")"));
}

// A fault of the program ends the analysis of that page only: the views keep the pages
// they show, panel 1 says the analysis failed, and the next download is analysed.
TEST_F(BrowserEventsTest, AFaultEndsThatPagesAnalysisAndSaysSoInPanelOne) {
    wb0_.FaultOn("LocationURL");
    controller_.DownloadComplete(0);
    EXPECT_TRUE(ViewLoads().empty());
    EXPECT_EQ(surface_.statusText, "The analysis of this page failed: wb0: LocationURL went wrong");
    controller_.DownloadComplete(0);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.CaptureBodyHtml").size(), 2u);
}

TEST_F(BrowserEventsTest, DownloadsDuringAPendingCaptureAreAnalysedOnceAfterIt) {
    wb0_.AnswerCapturesOnDemand();
    controller_.DownloadComplete(0);
    controller_.DownloadComplete(0);
    controller_.RefreshPage();
    EXPECT_EQ(wb0_.WaitingCaptures(), 1u);
    EXPECT_TRUE(ViewLoads().empty());

    wb0_.AnswerCapture();
    EXPECT_EQ(ViewLoads().size(), 2u);
    EXPECT_EQ(wb0_.WaitingCaptures(), 1u);  // the one analysis asked for meanwhile

    wb0_.AnswerCapture();
    EXPECT_EQ(ViewLoads().size(), 4u);
    EXPECT_EQ(wb0_.WaitingCaptures(), 0u);
    EXPECT_EQ(CallsStartingWith(log_, "wb0.CaptureBodyHtml").size(), 2u);
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
        wb0_.SetBody(row.body);
        surface_.statusText = "Done";
        controller_.DownloadComplete(0);
        EXPECT_EQ(surface_.statusText, row.note.empty() ? "Done" : row.note);
        for (int view : {1, 2}) {
            controller_.StatusTextChange(view, "Done");
            controller_.DownloadComplete(view);
            EXPECT_EQ(surface_.statusText, row.note.empty() ? "Done" : row.note);
        }
        // A later load of a view (a link followed) is the view's own business.
        controller_.StatusTextChange(1, "Done");
        controller_.DownloadComplete(1);
        EXPECT_EQ(surface_.statusText, "Done");
    }
}

}  // namespace
}  // namespace quorvane::testing
