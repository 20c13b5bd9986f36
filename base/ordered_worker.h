#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace quorvane {

// Does a window's slow work (writing thousands of files, decoding pictures) on a thread of
// its own, behind the window's (RunBehindTheWindow), one job at a time in the order posted,
// and hands each job's answer back to the window's thread. Going away drops the jobs not
// begun and waits for the one running, so no job is left half-done, and no answer runs once
// the worker is gone.
class OrderedWorker {
  public:
    // Puts a step on the window's thread, in order; callable from any thread.
    using ToWindowThread = std::function<void(std::function<void()>)>;
    // A job: its work on the worker's thread returns its answer, which runs on the window's
    // thread (none when empty).
    using Job = std::function<std::function<void()>()>;

    // Without toWindowThread each job and its answer run at once in Post, on the caller's
    // thread (the window's logic tested without a display).
    explicit OrderedWorker(ToWindowThread toWindowThread);
    ~OrderedWorker();
    OrderedWorker(const OrderedWorker&) = delete;
    OrderedWorker& operator=(const OrderedWorker&) = delete;

    // A job that must run whatever comes (a removal) is not droppable.
    void Post(Job job, bool droppable = true);
    // The droppable jobs not begun are dropped: they neither run nor answer.
    void DropWaiting();
    // Drops what waits, waits for the job running and ignores its answer; later jobs are
    // not taken. What the jobs touch may go afterwards.
    void Stop();

  private:
    struct Waiting {
        Job job;
        bool droppable;
    };
    // What the window's thread and the worker share; an answer posted by the worker finds
    // it gone when the worker was stopped before the answer ran.
    struct Shared {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::deque<Waiting> waiting;
    };

    void RunOnThread(std::stop_token stop);

    ToWindowThread toWindowThread_;
    bool stopped_ = false;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::jthread thread_;  // last, so that it is joined before the rest goes
};

}  // namespace quorvane
