#include "base/ordered_worker.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/thread_priority.h"
#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

constexpr auto kDeadline = std::chrono::seconds(60);

// What the jobs of a test did, shared with them: a job may outlive the worker and the test's
// own variables, so it holds its record by a shared pointer. "B" in Ended is a job that ran
// to its end, "B!" one whose stop had been asked when it ended.
class Record {
  public:
    void Begin(const std::string& name) {
        Change([&] { begun_ += name + " "; });
    }
    void End(const std::string& name) {
        Change([&] { ended_ += name + " "; });
    }
    void Answer(const std::string& name) { answered_ += name + " "; }  // the window's thread
    void Release(const std::string& name) {
        Change([&] { released_.insert(name); });
    }

    // Waits until name is released or, when stop is given, asked to stop.
    void WaitForRelease(const std::string& name, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, stop, [&] { return released_.contains(name); });
    }
    bool WaitUntilBegun(const std::string& names) { return WaitFor(begun_, names); }
    bool WaitUntilEnded(const std::string& names) { return WaitFor(ended_, names); }
    std::string Begun() { return Read(begun_); }
    std::string Ended() { return Read(ended_); }
    const std::string& Answered() const { return answered_; }

  private:
    template <typename Step>
    void Change(Step step) {
        const std::lock_guard lock(mutex_);
        step();
        changed_.notify_all();
    }
    bool WaitFor(const std::string& what, const std::string& value) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kDeadline, [&] { return what == value; });
    }
    std::string Read(const std::string& what) {
        const std::lock_guard lock(mutex_);
        return what;
    }

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::string begun_;
    std::string ended_;
    std::string answered_;
    std::set<std::string> released_;
};

// A job that records its begin, waits until the test releases it (or, heeding its stop,
// until it is asked to stop), records its end and answers its name.
OrderedWorker::StoppableJob Held(std::shared_ptr<Record> record, std::string name,
                                 bool heedsStop = true) {
    return [record, name, heedsStop](std::stop_token stop) -> std::function<void()> {
        record->Begin(name);
        record->WaitForRelease(name, heedsStop ? stop : std::stop_token());
        record->End(name + (stop.stop_requested() ? "!" : ""));
        return [record, name] { record->Answer(name); };
    };
}

// A job that ends at once.
OrderedWorker::StoppableJob Quick(std::shared_ptr<Record> record, std::string name) {
    record->Release(name);
    return Held(std::move(record), std::move(name));
}

OrderedWorker::ToWindowThread To(WindowThread& window) {
    return [&window](std::function<void()> step) { window.Post(std::move(step)); };
}

std::size_t CountWords(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
}

// Jobs run one at a time in the order posted; a new page drops the droppable ones not
// begun, never one that must run (a removal) nor the one running.
TEST(OrderedWorker, RunsInOrderAndDropsOnlyTheDroppableJobsWaiting) {
    WindowThread window;
    auto record = std::make_shared<Record>();
    OrderedWorker worker(To(window));
    worker.Post(Held(record, "a"));
    ASSERT_TRUE(record->WaitUntilBegun("a "));
    worker.Post(Quick(record, "dropped"));
    worker.Post(Quick(record, "kept"), false);
    worker.DropWaiting();
    // A job that takes no stop token is one too.
    worker.Post([record]() -> std::function<void()> {
        record->Begin("b");
        return [record] { record->Answer("b"); };
    });
    record->Release("a");
    window.RunSteps(3);
    EXPECT_EQ(record->Begun(), "a kept b ");
    EXPECT_EQ(record->Answered(), "a kept b ");
}

struct Posted {
    std::string name;
    bool droppable = true;
};

struct SupersedeRow {
    const char* behaviour;
    bool firstDroppable;
    // Let go only after the others are posted, so that they wait behind it; or heeding its
    // stop and never let go, so that only being superseded ends it.
    bool firstHeedsStop;
    std::vector<Posted> postedWhileTheFirstRuns;
    std::string ended;
    std::string answered;
};

void PrintTo(const SupersedeRow& row, std::ostream* out) {
    *out << row.behaviour;
}

class OrderedWorkerSupersedes : public ::testing::TestWithParam<SupersedeRow> {};

TEST_P(OrderedWorkerSupersedes, AnswersOnlyTheNewestOfTheJobsItMayDrop) {
    const SupersedeRow& row = GetParam();
    WindowThread window;
    auto record = std::make_shared<Record>();
    OrderedWorker worker(To(window), OrderedWorker::Order::NewestSupersedes);
    worker.Post(Held(record, "A", row.firstHeedsStop), row.firstDroppable);
    ASSERT_TRUE(record->WaitUntilBegun("A "));
    for (const Posted& posted : row.postedWhileTheFirstRuns) {
        worker.Post(Quick(record, posted.name), posted.droppable);
    }
    if (!row.firstHeedsStop) {
        record->Release("A");
    }
    window.RunSteps(CountWords(row.answered));
    EXPECT_TRUE(record->WaitUntilEnded(row.ended)) << record->Ended();
    window.RunPostedSteps();
    EXPECT_EQ(record->Answered(), row.answered);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrderedWorkerSupersedes,
    ::testing::Values(
        SupersedeRow{"OneJobAnswers", true, false, {}, "A ", "A "},
        SupersedeRow{"ANewerJobStopsTheOneRunning", true, true, {{"B"}}, "A! B ", "B "},
        SupersedeRow{
            "OnlyTheNewestWaitingJobRuns", true, false, {{"B"}, {"C"}, {"D"}}, "A! D ", "D "},
        SupersedeRow{"AJobThatMustRunIsNeitherDroppedNorStopped",
                     true,
                     false,
                     {{"K", false}, {"B"}},
                     "A! K B ",
                     "K B "},
        SupersedeRow{"ARunningJobThatMustRunIsNotStopped", false, false, {{"B"}}, "A B ", "A B "}),
    [](const auto& info) { return std::string(info.param.behaviour); });

// An answer already on its way to the window's thread when a newer job comes is dropped
// there: the window never shows an older page after a newer one was asked for.
TEST(OrderedWorker, ANewerJobDropsAnAnswerOnItsWay) {
    WindowThread window;
    auto record = std::make_shared<Record>();
    OrderedWorker worker(To(window), OrderedWorker::Order::NewestSupersedes);
    worker.Post(Quick(record, "A"));
    window.WaitUntilPosted(1);
    worker.Post(Quick(record, "B"));
    window.RunSteps(2);
    EXPECT_EQ(record->Answered(), "B ");
}

std::size_t ThreadsOfThisProcess() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<std::size_t>(std::distance(begin(tasks), end(tasks)));
}

bool PollUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Stopping returns while the job running still runs (it neither heeds its stop nor has been
// let go): its stop is asked, the job waiting never begins, and neither its answer nor one
// already on its way runs; the thread posts nothing more to the window's thread.
TEST(OrderedWorker, StoppingWaitsForNoJobAndAnswersNothingMore) {
    WindowThread window;
    auto record = std::make_shared<Record>();
    const std::size_t threads = ThreadsOfThisProcess();
    {
        OrderedWorker worker(To(window));
        worker.Post(Quick(record, "a"));
        window.WaitUntilPosted(1);
        worker.Post(Held(record, "busy", false));
        worker.Post(Quick(record, "waiting"));
        ASSERT_TRUE(record->WaitUntilBegun("a busy "));
        worker.Stop();
        worker.Post(Quick(record, "after"));
        EXPECT_EQ(record->Ended(), "a ");
    }
    record->Release("busy");
    EXPECT_TRUE(record->WaitUntilEnded("a busy! ")) << record->Ended();
    ASSERT_TRUE(PollUntil([&] { return ThreadsOfThisProcess() <= threads; }));
    window.RunPostedSteps();
    EXPECT_EQ(record->Begun(), "a busy ");
    EXPECT_EQ(record->Answered(), "");
    EXPECT_EQ(window.Posted(), 1U);
}

// No thread is left behind: an idle worker's ends as it stops, a busy one's once its job
// has ended, whether the job heeded its stop or ran to its end.
TEST(OrderedWorker, ItsThreadEndsWhetherStoppedIdleOrBusy) {
    enum class When { Idle, BusyHeedingTheStop, BusyToTheEnd };
    for (const When when : {When::Idle, When::BusyHeedingTheStop, When::BusyToTheEnd}) {
        WindowThread window;
        auto record = std::make_shared<Record>();
        const std::size_t before = ThreadsOfThisProcess();
        {
            OrderedWorker worker(To(window));
            if (when != When::Idle) {
                worker.Post(Held(record, "job", when == When::BusyHeedingTheStop));
                ASSERT_TRUE(record->WaitUntilBegun("job "));
            }
        }
        record->Release("job");
        EXPECT_TRUE(PollUntil([&] { return ThreadsOfThisProcess() <= before; }))
            << static_cast<int>(when);
    }
}

// On a busy machine the window's thread gets the processor before the worker's: the jobs
// run at a lower priority (a higher niceness) than the thread that posts them, or the
// lowest there is when that one runs at the lowest already (a build run behind others).
TEST(OrderedWorker, RunsBehindTheWindow) {
    WindowThread window;
    int workerNiceness = 0;
    OrderedWorker worker(To(window));
    worker.Post([&workerNiceness]() -> std::function<void()> {
        workerNiceness = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
        return [] {};
    });
    window.RunSteps(1);
    const int windowNiceness = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    EXPECT_EQ(workerNiceness, std::min(windowNiceness + kBehindTheWindow, kLowestNiceness));
}

}  // namespace
}  // namespace quorvane::testing
