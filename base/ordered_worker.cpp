#include "base/ordered_worker.h"

#include <algorithm>
#include <utility>

#include "base/thread_priority.h"

namespace quorvane {
namespace {

// Moves the droppable jobs out of waiting, keeping the order of the rest; the caller lets
// them go once the lock is released, as what a job holds may take a while to free.
template <typename Waiting>
std::deque<Waiting> TakeDroppable(std::deque<Waiting>& waiting) {
    const auto kept = std::stable_partition(waiting.begin(), waiting.end(),
                                            [](const Waiting& job) { return !job.droppable; });
    std::deque<Waiting> dropped(std::make_move_iterator(kept),
                                std::make_move_iterator(waiting.end()));
    waiting.erase(kept, waiting.end());
    return dropped;
}

}  // namespace

OrderedWorker::OrderedWorker(ToWindowThread toWindowThread, Order order) : order_(order) {
    shared_->toWindowThread = std::move(toWindowThread);
    if (shared_->toWindowThread) {
        thread_ = std::thread([shared = shared_] { RunOnThread(shared); });
    }
}

OrderedWorker::~OrderedWorker() {
    Stop();
}

void OrderedWorker::Post(Job job, bool droppable) {
    Post(StoppableJob([job = std::move(job)](std::stop_token) { return job(); }), droppable);
}

void OrderedWorker::Post(StoppableJob job, bool droppable) {
    if (stopped_) {
        return;
    }
    const std::uint64_t number = ++posted_;
    if (!thread_.joinable()) {
        if (const std::function<void()> answer = job(std::stop_token())) {
            answer();
        }
        return;
    }
    std::deque<Waiting> superseded;
    {
        const std::lock_guard lock(shared_->mutex);
        if (order_ == Order::NewestSupersedes) {
            superseded = TakeDroppable(shared_->waiting);
            Supersede(number);
        }
        shared_->waiting.push_back({std::move(job), droppable, number});
    }
    shared_->wakeUp.notify_one();
}

// With the lock held: the droppable job running stops, and what the droppable jobs before
// newest have still to answer is dropped.
void OrderedWorker::Supersede(std::uint64_t newest) {
    if (shared_->running && shared_->running->droppable) {
        shared_->running->stop.request_stop();
    }
    shared_->supersededBelow = newest;
}

void OrderedWorker::DropWaiting() {
    if (stopped_) {
        return;
    }
    std::deque<Waiting> dropped;
    const std::lock_guard lock(shared_->mutex);
    dropped = TakeDroppable(shared_->waiting);
}

void OrderedWorker::Stop() {
    if (stopped_) {
        return;
    }
    stopped_ = true;
    std::deque<Waiting> dropped;
    bool idle = true;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stopped = true;
        dropped.swap(shared_->waiting);
        if (shared_->running) {
            shared_->running->stop.request_stop();
            idle = false;
        }
    }
    shared_->wakeUp.notify_one();
    if (!thread_.joinable()) {
        return;
    }
    // An idle thread only waits for the wake-up it has just been sent; a busy one ends by
    // itself, holding what it shares with nobody but the answers, which now drop themselves.
    if (idle) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void OrderedWorker::RunOnThread(const std::shared_ptr<Shared>& shared) {
    // Thousands of files written or pictures decoded would take a core the window waits
    // for on a busy machine; they can as well be done a little later.
    RunBehindTheWindow();
    while (true) {
        Waiting next;
        std::stop_token stop;
        {
            std::unique_lock lock(shared->mutex);
            shared->wakeUp.wait(lock, [&] { return shared->stopped || !shared->waiting.empty(); });
            if (shared->stopped) {
                return;
            }
            next = std::move(shared->waiting.front());
            shared->waiting.pop_front();
            shared->running = Running{std::stop_source(), next.droppable};
            stop = shared->running->stop.get_token();
        }
        std::function<void()> answer = next.job(stop);
        // What the job holds is let go here, as a busy job, not on the window's thread.
        next.job = nullptr;
        HandBack(shared, next, std::move(answer));
    }
}

// The answer is posted with the lock held, so that once Stop has taken the lock the window's
// thread (and the window that queues the steps) is never reached again.
void OrderedWorker::HandBack(const std::shared_ptr<Shared>& shared, const Waiting& done,
                             std::function<void()> answer) {
    std::function<void()> dropped;  // let go after the lock
    const std::lock_guard lock(shared->mutex);
    if (answer && shared->running->stop.stop_requested()) {
        dropped = std::move(answer);
    } else if (answer) {
        shared->toWindowThread(
            [shared, number = done.number, droppable = done.droppable, answer = std::move(answer)] {
                if (shared->MayAnswer(number, droppable)) {
                    answer();
                }
            });
    }
    shared->running.reset();
}

// On the window's thread, where Post and Stop run too: an answer of a job superseded or of a
// worker stopped since it was posted does not run.
bool OrderedWorker::Shared::MayAnswer(std::uint64_t number, bool droppable) {
    const std::lock_guard lock(mutex);
    return !stopped && !(droppable && number < supersededBelow);
}

}  // namespace quorvane
