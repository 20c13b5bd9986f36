#pragma once

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "bench/run_queue_wait.h"

namespace quorvane::bench {

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
