#include "main_window/page_analysis_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/text_file.h"
#include "analysis/work_files.h"
#include "main_window/stoppable_work_files.h"
#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

// Work that names each page it ran and holds the page "A" until the test lets it go, or
// the runner asks it to stop.
class HeldWork {
  public:
    AnalysisOutcome operator()(const AnalysisJob& job, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        worked_ += job.pageAddress;
        changed_.notify_all();
        if (job.pageAddress == "A") {
            changed_.wait(lock, stop, [this] { return released_; });
        }
        AnalysisOutcome outcome;
        outcome.lists.imageTags.addresses = {job.pageAddress};
        return outcome;
    }
    void WaitUntilWorked(const std::string& pages) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return worked_ == pages; });
    }
    void Release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    std::string Worked() {
        const std::lock_guard lock(mutex_);
        return worked_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::string worked_;
    bool released_ = false;
};

struct SupersedeRow {
    const char* behaviour;
    std::vector<std::string> startedWhileARuns;
    bool aLetGo;           // false: only the newer page's start can end A's run
    std::string worked;    // the pages the thread analysed, in order
    std::string answered;  // the pages whose outcome reached the window
};

class PageAnalysisRunnerSupersedes : public ::testing::TestWithParam<SupersedeRow> {};

TEST_P(PageAnalysisRunnerSupersedes, AnswersOnlyTheNewestPage) {
    const SupersedeRow& row = GetParam();
    WindowThread window;
    HeldWork work;
    std::string answered;
    PageAnalysisRunner runner(
        "", [&](std::function<void()> step) { window.Post(std::move(step)); },
        [&](const AnalysisJob& job, std::stop_token stop) { return work(job, stop); });
    const auto start = [&](const std::string& page) {
        runner.Start({std::nullopt, page, ""}, [&answered](AnalysisOutcome outcome) {
            answered += outcome.lists.imageTags.addresses.at(0);
        });
    };
    start("A");
    work.WaitUntilWorked("A");
    for (const std::string& page : row.startedWhileARuns) {
        start(page);
    }
    EXPECT_TRUE(runner.Busy());
    if (row.aLetGo) {
        work.Release();
    }
    window.RunSteps(row.worked.size());
    EXPECT_EQ(work.Worked(), row.worked);
    EXPECT_EQ(answered, row.answered);
    EXPECT_FALSE(runner.Busy());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageAnalysisRunnerSupersedes,
    ::testing::Values(
        SupersedeRow{"OnePageAnswers", {}, true, "A", "A"},
        SupersedeRow{"ANewerPageDropsTheAnswerOfTheOneRunning", {"B"}, true, "AB", "B"},
        SupersedeRow{"ANewerPageStopsTheRunItSupersedes", {"B"}, false, "AB", "B"},
        SupersedeRow{"OnlyTheNewestWaitingPageRuns", {"B", "C", "D"}, true, "AD", "D"}),
    [](const auto& info) { return std::string(info.param.behaviour); });

// Closing the window during a run waits for it and drops the page behind it; the step the
// run posted finds the runner gone and answers nobody.
TEST(PageAnalysisRunner, GoingAwayEndsTheRunAndDropsTheWaitingPage) {
    WindowThread window;
    HeldWork work;
    bool answered = false;
    {
        PageAnalysisRunner runner(
            "", [&](std::function<void()> step) { window.Post(std::move(step)); },
            [&](const AnalysisJob& job, std::stop_token stop) { return work(job, stop); });
        runner.Start({std::nullopt, "A", ""}, [&](AnalysisOutcome) { answered = true; });
        work.WaitUntilWorked("A");
        runner.Start({std::nullopt, "B", ""}, [&](AnalysisOutcome) { answered = true; });
    }
    window.RunSteps(1);
    EXPECT_EQ(work.Worked(), "A");
    EXPECT_FALSE(answered);
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A page of many lines and images, large enough that the run is still writing when the
// window closes on a loaded machine.
std::string LargeBody(const char* word) {
    std::string body = "<body>\n";
    for (int i = 0; i < 20000; ++i) {
        body += std::string("<p>") + word + " <img src=\"p" + std::to_string(i) + ".png\">\n";
    }
    return body + "</body>";
}

class PageAnalysisRunnerFiles : public ::testing::Test {
  protected:
    std::filesystem::path Folder(const std::string& name) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() /
            ("quorvane-runner-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::create_directories(folder);
        folders_.push_back(folder);
        return folder;
    }
    ~PageAnalysisRunnerFiles() override {
        for (const auto& folder : folders_) {
            std::filesystem::remove_all(folder);
        }
    }
    std::vector<std::filesystem::path> folders_;
};

// The thread writes what the window's thread would have written, CR LF line ends and all.
TEST_F(PageAnalysisRunnerFiles, WritesTheSameFilesAsARunOnTheCallersThread) {
    const auto threaded = Folder("threaded");
    const auto inPlace = Folder("in-place");
    const AnalysisJob job{"<p>one\n<img src=\"a.png\">\ntwo</p>", "http://example.test/", ""};
    WindowThread window;
    std::optional<AnalysisOutcome> outcome;
    PageAnalysisRunner runner(threaded.string(),
                              [&](std::function<void()> step) { window.Post(std::move(step)); });
    runner.Start(job, [&](AnalysisOutcome answer) { outcome = std::move(answer); });
    window.RunSteps(1);
    AnalysisLists expectedLists;
    AnalysePageText(inPlace.string(), "<p>one\r\n<img src=\"a.png\">\r\ntwo</p>", job.pageAddress,
                    expectedLists);
    ASSERT_TRUE(outcome && outcome->page);
    EXPECT_EQ(outcome->page->sourcePagePath, (threaded / "source.htm").string());
    EXPECT_EQ(outcome->lists.imageTags.addresses, expectedLists.imageTags.addresses);
    for (const char* file : {"source.htm", "imagepage.html"}) {
        EXPECT_EQ(Read(threaded / file), Read(inPlace / file)) << file;
    }
}

// However far the run on the thread got when the window closed, each view file holds the
// old page or the new one, whole, and no half-written file is left beside them.
TEST_F(PageAnalysisRunnerFiles, ClosingDuringARunLeavesEveryWorkFileWhole) {
    const auto folder = Folder("closed");
    const auto newPage = Folder("new");
    const AnalysisJob oldJob{LargeBody("old"), "http://example.test/", ""};
    const AnalysisJob newJob{LargeBody("new"), "http://example.test/", ""};
    PageAnalysisRunner::AnalyseOnWorkFiles(folder.string(), oldJob);
    PageAnalysisRunner::AnalyseOnWorkFiles(newPage.string(), newJob);
    const std::set<std::string> wholeSource{Read(folder / "source.htm"),
                                            Read(newPage / "source.htm")};
    const std::set<std::string> wholeImages{Read(folder / "imagepage.html"),
                                            Read(newPage / "imagepage.html")};
    {
        PageAnalysisRunner runner(folder.string(), [](std::function<void()>) {});
        runner.Start(newJob, [](AnalysisOutcome) {});
    }
    EXPECT_TRUE(wholeSource.contains(Read(folder / "source.htm")));
    EXPECT_TRUE(wholeImages.contains(Read(folder / "imagepage.html")));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_FALSE(entry.path().filename().string().ends_with(".new")) << entry.path();
    }
}

// A stop asked before a write leaves its file alone, and one asked between two pieces of
// it ends the write there: the file keeps its old content, whole.
TEST_F(PageAnalysisRunnerFiles, AStopEndsAWriteBeforeItOrBetweenTwoPieces) {
    const auto folder = Folder("stopped");
    WriteTextFile((folder / "source.htm").string(), "old");
    for (const int piecesBeforeTheStop : {0, 1}) {
        std::stop_source stop;
        if (piecesBeforeTheStop == 0) {
            stop.request_stop();
        }
        StoppableWorkFiles files(folder.string(), stop.get_token());
        int handedOut = 0;
        EXPECT_THROW(files.Write(kSourceFile, TextProducer([&](const PieceWriter& write) {
                                     write("new ");
                                     ++handedOut;
                                     stop.request_stop();
                                     write("page");
                                     ++handedOut;
                                 })),
                     RunStopped);
        EXPECT_EQ(handedOut, piecesBeforeTheStop);
        EXPECT_EQ(Read(folder / "source.htm"), "old\r\n");
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            EXPECT_FALSE(entry.path().filename().string().ends_with(".new")) << entry.path();
        }
    }
}

}  // namespace
}  // namespace quorvane::testing
