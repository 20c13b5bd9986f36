#pragma once

#include <signal.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>

namespace quorvane::bench {

// The CPU time the calling thread has used, in milliseconds.
inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The CPU time the thread that makes it spends working. Its CPU clock alone says more on a
// virtual machine whose host stops the processors without telling (no steal time): the
// clock of the thread on a stopped processor runs on, and a stop of 100 ms reads as 100 ms
// of the thread's work. A timer on that clock signals the thread after each few milliseconds
// of it: at the scheduler's ticks while the thread works, so a few milliseconds apart, and
// after a stop only once, with the whole stop since the signal before. Each signal counts
// up to kMostPerSignalMs; the rest is the clock's jumps. One clock at a time.
class ThreadWorkClock {
  public:
    ThreadWorkClock() : lastSignalCpuMs_(ThreadCpuMs()) {
        assert(current_ == nullptr);
        current_ = this;
        struct sigaction action {};
        action.sa_handler = &OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGPROF, &action, &previous_);
        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = SIGPROF;
        event._sigev_un._tid = static_cast<pid_t>(::syscall(SYS_gettid));
        ::timer_create(CLOCK_THREAD_CPUTIME_ID, &event, &timer_);
        const itimerspec every{{0, kPeriodNs}, {0, kPeriodNs}};
        ::timer_settime(timer_, 0, &every, nullptr);
    }
    ~ThreadWorkClock() {
        ::timer_delete(timer_);
        ::sigaction(SIGPROF, &previous_, nullptr);
        current_ = nullptr;
    }
    ThreadWorkClock(const ThreadWorkClock&) = delete;
    ThreadWorkClock& operator=(const ThreadWorkClock&) = delete;

    // The thread's work so far, in milliseconds; to be read on the thread itself.
    double WorkMs() const {
        const SignalHeld held;
        return workedMs_ + std::min(ThreadCpuMs() - lastSignalCpuMs_, kMostPerSignalMs);
    }

  private:
    static constexpr long kPeriodNs = 5'000'000;
    // Longer than the time between signals of a working thread, ticks of 4 ms on a busy
    // machine included; far shorter than a host's stops (100 ms).
    static constexpr double kMostPerSignalMs = 20;

    class SignalHeld {
      public:
        SignalHeld() {
            sigset_t prof;
            sigemptyset(&prof);
            sigaddset(&prof, SIGPROF);
            ::pthread_sigmask(SIG_BLOCK, &prof, &before_);
        }
        ~SignalHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

      private:
        sigset_t before_;
    };

    static void OnSignal(int) {
        ThreadWorkClock* clock = current_;
        if (clock == nullptr) {
            return;
        }
        const double cpuMs = ThreadCpuMs();
        clock->workedMs_ += std::min(cpuMs - clock->lastSignalCpuMs_, kMostPerSignalMs);
        clock->lastSignalCpuMs_ = cpuMs;
    }

    static inline ThreadWorkClock* current_ = nullptr;
    timer_t timer_{};
    struct sigaction previous_ {};
    double workedMs_ = 0;
    double lastSignalCpuMs_;
};

}  // namespace quorvane::bench
