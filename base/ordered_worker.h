#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace quorvane {

// Does a window's slow work (writing thousands of files, decoding pictures, scanning a page)
// on a thread of its own, behind the window's (RunBehindTheWindow), one job at a time, and
// hands each job's answer back to the window's thread.
//
// In the order EveryJob the jobs run in the order posted and each answers. In the order
// NewestSupersedes a job posted supersedes the droppable ones before it: those waiting are
// dropped, the one running is asked to stop through its stop token, and no answer of theirs
// runs any more, so only the newest job answers.
//
// Stopping (or going away) drops the jobs waiting, asks the one running to stop and drops
// every answer still to come, without waiting for anything: the window's thread never joins
// a thread that may be busy. A thread found idle is joined, which returns at once; a busy one
// is left to end on its own. That is sound because the thread owns all it touches: the state
// it shares with the worker (a shared pointer) and its job, which holds what it needs by
// value or by shared pointer, never its owner; only the answer, which runs on the window's
// thread and never after Stop, may touch the owner. The thread posts nothing to the window's
// thread once Stop has returned. Jobs that may run long check their stop token often, so a
// thread left running ends soon after; one that the program's end cuts short writes its files
// through WholeFileWrite, whole or not at all.
class OrderedWorker {
  public:
    // Puts a step on the window's thread, in order; callable from any thread. It only
    // queues the step: the worker calls it with its lock held.
    using ToWindowThread = std::function<void(std::function<void()>)>;
    // A job: its work on the worker's thread returns its answer, which runs on the window's
    // thread (none when empty). It must own what it touches (see above).
    using Job = std::function<std::function<void()>()>;
    // A job that may run long: it ends early, answering nothing, once stop is asked.
    using StoppableJob = std::function<std::function<void()>(std::stop_token stop)>;
    enum class Order { EveryJob, NewestSupersedes };

    // Without toWindowThread each job and its answer run at once in Post, on the caller's
    // thread (the window's logic tested without a display).
    explicit OrderedWorker(ToWindowThread toWindowThread, Order order = Order::EveryJob);
    ~OrderedWorker();
    OrderedWorker(const OrderedWorker&) = delete;
    OrderedWorker& operator=(const OrderedWorker&) = delete;

    // A job that must run whatever comes (a removal) is not droppable: it is neither dropped
    // nor superseded, but Stop drops it too.
    void Post(Job job, bool droppable = true);
    void Post(StoppableJob job, bool droppable = true);
    // The droppable jobs not begun are dropped: they neither run nor answer.
    void DropWaiting();
    // Drops what waits, asks the job running to stop and ignores every answer to come; later
    // jobs are not taken. Returns at once, whatever the job running does.
    void Stop();

  private:
    struct Waiting {
        StoppableJob job;
        bool droppable = true;
        std::uint64_t number = 0;  // counts the jobs posted
    };
    // The job on the thread: its stop is asked when it is superseded or the worker stops.
    struct Running {
        std::stop_source stop;
        bool droppable = true;
    };
    // What the window's thread and the worker's share, with the means to reach the window's
    // thread; the worker's thread holds it for as long as it runs.
    struct Shared {
        ToWindowThread toWindowThread;
        std::mutex mutex;
        std::condition_variable wakeUp;
        std::deque<Waiting> waiting;
        std::optional<Running> running;
        // The droppable jobs numbered below this were superseded: they do not answer.
        std::uint64_t supersededBelow = 0;
        bool stopped = false;

        bool MayAnswer(std::uint64_t number, bool droppable);
    };

    void Supersede(std::uint64_t newest);
    static void RunOnThread(const std::shared_ptr<Shared>& shared);
    static void HandBack(const std::shared_ptr<Shared>& shared, const Waiting& done,
                         std::function<void()> answer);

    Order order_;
    bool stopped_ = false;
    std::uint64_t posted_ = 0;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::thread thread_;
};

}  // namespace quorvane
