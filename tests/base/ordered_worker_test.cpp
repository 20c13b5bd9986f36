#include "base/ordered_worker.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <memory>
#include <mutex>
#include <string>

#include "base/thread_priority.h"
#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

// What the jobs did on the worker's thread and what their answers did on the window's.
class Log {
  public:
    void Add(const std::string& entry) {
        const std::lock_guard lock(mutex_);
        text_ += entry + " ";
    }
    std::string Text() {
        const std::lock_guard lock(mutex_);
        return text_;
    }

  private:
    std::mutex mutex_;
    std::string text_;
};

// A job that logs name, then waits until the test lets it go; its answer logs name in a
// log of the answers.
struct HeldJob {
    Log& log;
    Log& answers;
    std::string name;
    std::shared_future<void> released;
    std::promise<void>* begun = nullptr;

    std::function<void()> operator()() const {
        log.Add(name);
        if (begun != nullptr) {
            begun->set_value();
        }
        if (released.valid()) {
            released.wait();
        }
        return [&answers = answers, name = name] { answers.Add(name); };
    }
};

// Jobs run one at a time in the order posted; a new page drops the droppable ones not
// begun, never one that must run (a removal) nor the one running.
TEST(OrderedWorker, RunsInOrderAndDropsOnlyTheDroppableJobsWaiting) {
    WindowThread window;
    Log log;
    Log answers;
    std::promise<void> release;
    std::promise<void> begun;
    OrderedWorker worker([&window](std::function<void()> step) { window.Post(step); });
    worker.Post(HeldJob{log, answers, "a", release.get_future().share(), &begun});
    begun.get_future().wait();
    worker.Post(HeldJob{log, answers, "dropped", {}});
    worker.Post(HeldJob{log, answers, "kept", {}}, false);
    worker.DropWaiting();
    worker.Post(HeldJob{log, answers, "b", {}});
    EXPECT_EQ(log.Text(), "a ");
    release.set_value();
    window.RunSteps(3);
    EXPECT_EQ(log.Text(), "a kept b ");
    EXPECT_EQ(answers.Text(), "a kept b ");
}

// Going away, the worker waits for the job running, drops the rest, and neither that job's
// answer nor one posted before runs afterwards.
TEST(OrderedWorker, StoppingWaitsForTheJobRunningAndAnswersNothingMore) {
    WindowThread window;
    Log log;
    Log answers;
    std::promise<void> release;
    std::promise<void> begun;
    {
        OrderedWorker worker([&window](std::function<void()> step) { window.Post(step); });
        worker.Post(HeldJob{log, answers, "a", {}});
        window.RunSteps(1);
        worker.Post(HeldJob{log, answers, "b", {}});
        worker.Post(HeldJob{log, answers, "c", release.get_future().share(), &begun});
        // The job after c lets c go as it is dropped: c still runs when Stop drops it.
        auto letGo = std::shared_ptr<int>(new int(0), [&release](int* p) {
            delete p;
            release.set_value();
        });
        worker.Post([&log, letGo = std::move(letGo)]() -> std::function<void()> {
            log.Add("dropped");
            return {};
        });
        begun.get_future().wait();
        worker.Stop();
        worker.Post(HeldJob{log, answers, "after", {}});
    }
    window.RunPostedSteps();
    EXPECT_EQ(log.Text(), "a b c ");
    EXPECT_EQ(answers.Text(), "a ");
}

// On a busy machine the window's thread gets the processor before the worker's: the jobs
// run at a lower priority (a higher niceness) than the thread that posts them, or the
// lowest there is when that one runs at the lowest already (a build run behind others).
TEST(OrderedWorker, RunsBehindTheWindow) {
    WindowThread window;
    int workerNiceness = 0;
    OrderedWorker worker([&window](std::function<void()> step) { window.Post(step); });
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
