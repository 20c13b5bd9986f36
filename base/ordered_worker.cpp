#include "base/ordered_worker.h"

#include <utility>

#include "base/thread_priority.h"

namespace quorvane {

OrderedWorker::OrderedWorker(ToWindowThread toWindowThread)
    : toWindowThread_(std::move(toWindowThread)) {
    if (toWindowThread_) {
        thread_ = std::jthread([this](std::stop_token stop) { RunOnThread(stop); });
    }
}

OrderedWorker::~OrderedWorker() {
    Stop();
}

void OrderedWorker::Post(Job job, bool droppable) {
    if (stopped_) {
        return;
    }
    if (!thread_.joinable()) {
        if (const std::function<void()> answer = job()) {
            answer();
        }
        return;
    }
    const std::lock_guard lock(shared_->mutex);
    shared_->waiting.push_back({std::move(job), droppable});
    shared_->wakeUp.notify_one();
}

void OrderedWorker::DropWaiting() {
    if (stopped_) {
        return;
    }
    const std::lock_guard lock(shared_->mutex);
    std::erase_if(shared_->waiting, [](const Waiting& waiting) { return waiting.droppable; });
}

void OrderedWorker::Stop() {
    if (stopped_) {
        return;
    }
    stopped_ = true;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->waiting.clear();
    }
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    // The answers posted already find the shared part gone.
    shared_.reset();
}

void OrderedWorker::RunOnThread(std::stop_token stop) {
    // Thousands of files written or pictures decoded would take a core the window waits
    // for on a busy machine; they can as well be done a little later.
    RunBehindTheWindow();
    while (true) {
        Job job;
        {
            std::unique_lock lock(shared_->mutex);
            if (!shared_->wakeUp.wait(lock, stop, [this] { return !shared_->waiting.empty(); })) {
                return;
            }
            job = std::move(shared_->waiting.front().job);
            shared_->waiting.pop_front();
        }
        if (std::function<void()> answer = job()) {
            toWindowThread_([shared = std::weak_ptr<Shared>(shared_), answer = std::move(answer)] {
                if (!shared.expired()) {
                    answer();
                }
            });
        }
    }
}

}  // namespace quorvane
