#include "main_window/page_analysis_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
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

// Work that names each page it began, holds the page "A" until the test lets it go (or,
// when it heeds its stop, until the runner asks it to stop) and names each page it ended,
// "A!" when its stop had been asked. The runs may outlive the runner: they hold it by a
// shared pointer.
class HeldWork {
  public:
    explicit HeldWork(bool heedsStop) : heedsStop_(heedsStop) {}

    AnalysisOutcome operator()(const AnalysisJob& job, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        worked_ += job.pageAddress;
        changed_.notify_all();
        if (job.pageAddress == "A") {
            changed_.wait(lock, heedsStop_ ? stop : std::stop_token(),
                          [this] { return released_; });
        }
        ended_ += job.pageAddress + (stop.stop_requested() ? "!" : "");
        changed_.notify_all();
        AnalysisOutcome outcome;
        outcome.lists.imageTags.addresses = {job.pageAddress};
        return outcome;
    }
    void WaitUntilWorked(const std::string& pages) { WaitFor(worked_, pages); }
    void WaitUntilEnded(const std::string& pages) { WaitFor(ended_, pages); }
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
    void WaitFor(const std::string& what, const std::string& value) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return what == value; });
    }

    const bool heedsStop_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::string worked_;
    std::string ended_;
    bool released_ = false;
};

PageAnalysisRunner::Work Working(std::shared_ptr<HeldWork> work) {
    return [work](const AnalysisJob& job, std::stop_token stop) { return (*work)(job, stop); };
}

struct SupersedeRow {
    const char* behaviour;
    std::vector<std::string> startedWhileARuns;
    // Only the newer page's start can end A's run; else A is let go once they started.
    bool aHeedsStop;
    std::string ended;     // the pages the thread analysed, in order
    std::string answered;  // the pages whose outcome reached the window
};

void PrintTo(const SupersedeRow& row, std::ostream* out) {
    *out << row.behaviour;
}

class PageAnalysisRunnerSupersedes : public ::testing::TestWithParam<SupersedeRow> {};

TEST_P(PageAnalysisRunnerSupersedes, AnswersOnlyTheNewestPage) {
    const SupersedeRow& row = GetParam();
    WindowThread window;
    auto work = std::make_shared<HeldWork>(row.aHeedsStop);
    std::string answered;
    PageAnalysisRunner runner(
        "", [&](std::function<void()> step) { window.Post(std::move(step)); }, Working(work));
    const auto start = [&](const std::string& page) {
        runner.Start({std::nullopt, page, ""}, [&answered](AnalysisOutcome outcome) {
            answered += outcome.lists.imageTags.addresses.at(0);
        });
    };
    start("A");
    work->WaitUntilWorked("A");
    for (const std::string& page : row.startedWhileARuns) {
        start(page);
    }
    EXPECT_TRUE(runner.Busy());
    if (!row.aHeedsStop) {
        work->Release();
    }
    window.RunSteps(row.answered.size());
    work->WaitUntilEnded(row.ended);
    window.RunPostedSteps();
    EXPECT_EQ(answered, row.answered);
    EXPECT_FALSE(runner.Busy());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageAnalysisRunnerSupersedes,
    ::testing::Values(
        SupersedeRow{"OnePageAnswers", {}, false, "A", "A"},
        SupersedeRow{"ANewerPageDropsTheAnswerOfTheOneRunning", {"B"}, false, "A!B", "B"},
        SupersedeRow{"ANewerPageStopsTheRunItSupersedes", {"B"}, true, "A!B", "B"},
        SupersedeRow{"OnlyTheNewestWaitingPageRuns", {"B", "C", "D"}, false, "A!D", "D"}),
    [](const auto& info) { return std::string(info.param.behaviour); });

// Closing the window during a run waits for nothing: the run is asked to stop, the page
// behind it is dropped, and nobody is answered.
TEST(PageAnalysisRunner, GoingAwayStopsTheRunAndDropsTheWaitingPage) {
    WindowThread window;
    auto work = std::make_shared<HeldWork>(false);
    bool answered = false;
    {
        PageAnalysisRunner runner(
            "", [&](std::function<void()> step) { window.Post(std::move(step)); }, Working(work));
        runner.Start({std::nullopt, "A", ""}, [&](AnalysisOutcome) { answered = true; });
        work->WaitUntilWorked("A");
        runner.Start({std::nullopt, "B", ""}, [&](AnalysisOutcome) { answered = true; });
    }
    work->Release();
    work->WaitUntilEnded("A!");
    window.RunPostedSteps();
    EXPECT_EQ(work->Worked(), "A");
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
// old page or the new one, whole, and no half-written file is left beside them once the
// run has ended.
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
    // Ready when the run has ended, or when it was dropped before it began and its promise
    // went with it.
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> runEnded = ended->get_future();
    {
        PageAnalysisRunner runner(
            folder.string(), [](std::function<void()>) {},
            [folder = folder.string(), ended = std::move(ended)](const AnalysisJob& job,
                                                                 std::stop_token stop) {
                AnalysisOutcome outcome =
                    PageAnalysisRunner::AnalyseOnWorkFiles(folder, job, std::move(stop));
                ended->set_value();
                return outcome;
            });
        runner.Start(newJob, [](AnalysisOutcome) {});
    }
    runEnded.wait();
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
