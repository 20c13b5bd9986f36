#pragma once

#include <sched.h>
#include <time.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/processor_pauses.h"
#include "bench/thread_work_clock.h"

namespace quorvane::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The longest time the window's event loop went without running a timer that is due every
// two milliseconds: how long the program could not have answered its user. With each stall
// it keeps the CPU time the window's thread worked in it and the time it waited, runnable, for
// a processor: a stall of much CPU time was the window's own work, one of much waiting was a
// loaded machine, and in the rest the thread was blocked, waiting for something, or the
// processor it waited on stood still (ProcessorPauses says which, and so does the thread's
// CPU clock when it jumped over a stop: ThreadWorkClock).
class StallMeter : public wxTimer {
  public:
    struct Stall {
        Clock::time_point began;
        double wallMs;
        double cpuMs;     // the window thread's work
        double jumpedMs;  // its CPU clock's jumps over a stopped processor
        double queuedMs;  // the window's thread runnable but not running
        int cpu;          // the processor the window's thread was on as the stall began
    };

    // Keeps every stall longer than keptOverMs besides the longest.
    explicit StallMeter(double keptOverMs = 50)
        : keptOverMs_(keptOverMs),
          last_(Clock::now()),
          lastCpuMs_(ThreadCpuMs()),
          lastWorkMs_(work_.WorkMs()),
          lastQueuedMs_(QueuedMs()) {
        Start(kPeriodMs);
    }
    void Notify() override { Tick(); }
    double LongestMs() {
        Tick();
        return std::max(0.0, longest_.wallMs - kPeriodMs);
    }
    // The CPU time the window's thread used in the longest stall.
    double LongestCpuMs() const { return longest_.cpuMs; }
    // The most CPU time the window's thread used in one stall: its longest piece of work,
    // which a loaded machine stretches but does not make.
    double MostCpuMs() const { return mostCpuMs_; }
    const std::vector<Stall>& Kept() const { return kept_; }
    // The window thread's work so far (ThreadWorkClock).
    double WorkMs() const { return work_.WorkMs(); }
    // How long the processor the window's thread waited on, or ran on, stood still in a stall.
    double PausedMs(const Stall& stall) const {
        const auto wall = std::chrono::duration<double, std::milli>(stall.wallMs);
        const auto end = stall.began + std::chrono::duration_cast<Clock::duration>(wall);
        return std::max(stall.jumpedMs, pauses_.PausedMs(stall.began, end, stall.cpu));
    }
    // The longest stall with the times its processor stood still taken out: what the program
    // could have answered for.
    double LongestRunningMs() {
        Tick();
        double longest = longestUnkeptMs_;
        for (const Stall& stall : kept_) {
            longest = std::max(longest, stall.wallMs - PausedMs(stall));
        }
        return std::max(0.0, longest - kPeriodMs);
    }

  private:
    static constexpr int kPeriodMs = 2;

    double QueuedMs() const { return Milliseconds(runQueue_.Waited()); }

    void Tick() {
        const auto now = Clock::now();
        const double cpuMs = ThreadCpuMs();
        const double workMs = work_.WorkMs();
        const double queuedMs = QueuedMs();
        const Stall stall{last_,
                          Milliseconds(now - last_),
                          workMs - lastWorkMs_,
                          std::max(0.0, (cpuMs - lastCpuMs_) - (workMs - lastWorkMs_)),
                          queuedMs - lastQueuedMs_,
                          lastProcessor_};
        mostCpuMs_ = std::max(mostCpuMs_, stall.cpuMs);
        if (stall.wallMs > longest_.wallMs) {
            longest_ = stall;
        }
        if (stall.wallMs - kPeriodMs > keptOverMs_) {
            kept_.push_back(stall);
        } else {
            longestUnkeptMs_ = std::max(longestUnkeptMs_, stall.wallMs);
        }
        last_ = now;
        lastCpuMs_ = cpuMs;
        lastWorkMs_ = workMs;
        lastQueuedMs_ = queuedMs;
        lastProcessor_ = ::sched_getcpu();
    }

    double keptOverMs_;
    RunQueueWait runQueue_;  // the window thread's: the meter is made on it
    ThreadWorkClock work_;   // the same
    Clock::time_point last_;
    double lastCpuMs_;
    double lastWorkMs_;
    double lastQueuedMs_;
    int lastProcessor_ = ::sched_getcpu();
    Stall longest_{};
    double mostCpuMs_ = 0;
    double longestUnkeptMs_ = 0;
    std::vector<Stall> kept_;
    ProcessorPauses pauses_;
};

// The stalls over the meter's bound, counted from from, with the window thread's CPU time
// and run-queue wait in each, how long its processor stood still in it, and when each began
// on the monotonic clock (the one `perf` stamps its events with, to find a stall in a trace).
inline void PrintStalls(const StallMeter& stalls, Clock::time_point from) {
    for (const auto& stall : stalls.Kept()) {
        std::printf(
            "    %7.0f ms stall: %5.0f ms, %4.0f ms CPU, %4.0f ms queued, its processor stood "
            "still %4.0f ms (at %.3f s)\n",
            Milliseconds(stall.began - from), stall.wallMs, stall.cpuMs, stall.queuedMs,
            stalls.PausedMs(stall), Milliseconds(stall.began.time_since_epoch()) / 1000.0);
    }
}

}  // namespace quorvane::bench
