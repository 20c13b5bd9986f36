#pragma once

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace quorvane::bench {

// The run-queue wait of the thread that made it (how long it has waited, runnable, for a
// processor), read through a handle kept open: it is read hundreds of times a second.
class RunQueueWait {
  public:
    RunQueueWait() : file_(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
    ~RunQueueWait() {
        if (file_ >= 0) {
            ::close(file_);
        }
    }
    RunQueueWait(const RunQueueWait&) = delete;
    RunQueueWait& operator=(const RunQueueWait&) = delete;

    // So far; zero where the kernel keeps no such count.
    std::chrono::nanoseconds Waited() const {
        char text[96] = {};
        if (file_ < 0 || ::pread(file_, text, sizeof text - 1, 0) <= 0) {
            return {};
        }
        char* end = nullptr;
        std::strtoull(text, &end, 10);  // the time on a processor, not wanted here
        return std::chrono::nanoseconds(std::strtoull(end, nullptr, 10));
    }

  private:
    int file_;
};

// The times each processor stood still: a thread kept on one processor that only asks to
// wake every millisecond, woken far later than asked and not for want of that processor
// (its run-queue wait taken out), found the processor not running at all. A virtual
// machine's processor whose host runs something else stops so, and shows it as no steal
// time; a thread of the program waiting on it cannot run then, whatever it does.
class ProcessorPauses {
  public:
    using Clock = std::chrono::steady_clock;

    ProcessorPauses() {
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned cpu = 0; cpu < processors; ++cpu) {
            watchers_.emplace_back([this, cpu](std::stop_token stop) { Watch(cpu, stop); });
        }
    }

    // How long processor cpu stood still between from and to, in milliseconds.
    double PausedMs(Clock::time_point from, Clock::time_point to, int cpu) const {
        const std::lock_guard lock(mutex_);
        Clock::duration paused{};
        for (const Pause& pause : pauses_) {
            if (pause.cpu == cpu) {
                paused += std::max(Clock::duration{},
                                   std::min(pause.end, to) - std::max(pause.start, from));
            }
        }
        return std::chrono::duration<double, std::milli>(paused).count();
    }

  private:
    struct Pause {
        int cpu;
        Clock::time_point start;
        Clock::time_point end;
    };

    static constexpr auto kAsked = std::chrono::milliseconds(1);
    static constexpr auto kLate = std::chrono::milliseconds(10);

    void Watch(unsigned cpu, const std::stop_token& stop) {
        cpu_set_t only;
        CPU_ZERO(&only);
        CPU_SET(cpu, &only);
        if (::pthread_setaffinity_np(::pthread_self(), sizeof only, &only) != 0) {
            return;  // a processor this process may not use is none it waits on
        }
        const RunQueueWait runQueue;
        auto last = Clock::now();
        auto lastWaited = runQueue.Waited();
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(kAsked);
            const auto now = Clock::now();
            const auto waited = runQueue.Waited();
            const auto stood = (now - last) - kAsked - (waited - lastWaited);
            if (stood > kLate) {
                const std::lock_guard lock(mutex_);
                pauses_.push_back({static_cast<int>(cpu), last + kAsked, last + kAsked + stood});
            }
            last = now;
            lastWaited = waited;
        }
    }

    mutable std::mutex mutex_;
    std::vector<Pause> pauses_;
    std::vector<std::jthread> watchers_;  // last: stopped and joined before the rest goes
};

}  // namespace quorvane::bench
