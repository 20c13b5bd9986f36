#pragma once

#include <time.h>
#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace quorvane::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The CPU time the calling thread has used, in milliseconds.
inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The longest time the window's event loop went without running a timer that is due every
// two milliseconds: how long the program could not have answered its user. With each stall
// it keeps the CPU time the window's thread used in it: a stall of little CPU time waited
// for the processor (a loaded machine), one of much was the window's own work.
class StallMeter : public wxTimer {
  public:
    struct Stall {
        double atMs;  // its start, from the meter's
        double wallMs;
        double cpuMs;  // of the window's thread
    };

    // Keeps every stall longer than keptOverMs besides the longest.
    explicit StallMeter(double keptOverMs = 50)
        : keptOverMs_(keptOverMs), start_(Clock::now()), last_(start_), lastCpuMs_(ThreadCpuMs()) {
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
    Clock::time_point Started() const { return start_; }

  private:
    static constexpr int kPeriodMs = 2;

    void Tick() {
        const auto now = Clock::now();
        const double cpuMs = ThreadCpuMs();
        const Stall stall{Milliseconds(last_ - start_), Milliseconds(now - last_),
                          cpuMs - lastCpuMs_};
        mostCpuMs_ = std::max(mostCpuMs_, stall.cpuMs);
        if (stall.wallMs > longest_.wallMs) {
            longest_ = stall;
        }
        if (stall.wallMs - kPeriodMs > keptOverMs_) {
            kept_.push_back(stall);
        }
        last_ = now;
        lastCpuMs_ = cpuMs;
    }

    double keptOverMs_;
    Clock::time_point start_;
    Clock::time_point last_;
    double lastCpuMs_;
    Stall longest_{};
    double mostCpuMs_ = 0;
    std::vector<Stall> kept_;
};

// The stalls over the meter's bound, counted from from, with the window thread's CPU time
// in each, and when each began on the monotonic clock (the one `perf` stamps its events
// with, to find a stall in a trace).
inline void PrintStalls(const StallMeter& stalls, Clock::time_point from) {
    const double offset = Milliseconds(from - stalls.Started());
    const double started = Milliseconds(stalls.Started().time_since_epoch()) / 1000.0;
    for (const auto& stall : stalls.Kept()) {
        std::printf("    %7.0f ms stall:  %6.0f ms, %6.0f ms CPU (at %.3f s)\n",
                    stall.atMs - offset, stall.wallMs, stall.cpuMs, started + stall.atMs / 1000.0);
    }
}

}  // namespace quorvane::bench
