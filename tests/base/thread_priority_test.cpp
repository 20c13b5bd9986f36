#include "base/thread_priority.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <thread>

namespace quorvane::testing {
namespace {

// The real-time policies a thread may have, the engine's own (round robin, not passed on
// to processes it starts) among them.
constexpr std::array<int, 3> kRealTimePolicies = {SCHED_FIFO, SCHED_RR,
                                                  SCHED_RR | SCHED_RESET_ON_FORK};

// Another process with a thread of each real-time policy. It writes their ids to ready, or
// nothing when the system lets it make no thread real-time, and waits to be killed.
pid_t StartRealTimeProcess(int ready) {
    const pid_t child = ::fork();
    if (child != 0) {
        return child;
    }
    std::array<std::atomic<pid_t>, kRealTimePolicies.size()> ids{};
    std::atomic<bool> refused = false;
    for (std::size_t place = 0; place < kRealTimePolicies.size(); ++place) {
        std::thread([&, place] {
            const sched_param lowest{1};
            if (::sched_setscheduler(0, kRealTimePolicies[place], &lowest) != 0) {
                refused = true;
            }
            ids[place] = ::gettid();
            ::pause();
        }).detach();
    }
    for (const auto& id : ids) {
        while (id == 0) {
            std::this_thread::yield();
        }
    }
    const std::array<pid_t, kRealTimePolicies.size()> written = {ids[0], ids[1], ids[2]};
    if (!refused) {
        (void)!::write(ready, written.data(), sizeof written);
    }
    ::close(ready);
    ::pause();
    ::_exit(0);
}

// A real-time thread of the engine's goes ahead of the window's for as long as it wants a
// processor: whatever its policy, it becomes an ordinary one.
TEST(ThreadPriority, EndsEveryRealTimeThreadOfAProcess) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = StartRealTimeProcess(pipeEnds[1]);
    ASSERT_GT(child, 0);
    ::close(pipeEnds[1]);
    std::array<pid_t, kRealTimePolicies.size()> ids{};
    const bool realTime = ::read(pipeEnds[0], ids.data(), sizeof ids) == sizeof ids;
    ::close(pipeEnds[0]);

    EndRealTimeThreadsOf(child);
    std::array<int, kRealTimePolicies.size()> policies{};
    for (std::size_t place = 0; place < ids.size(); ++place) {
        policies[place] = ::sched_getscheduler(ids[place]);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    if (!realTime) {
        GTEST_SKIP() << "this system lets the test make no thread real-time";
    }
    for (std::size_t place = 0; place < ids.size(); ++place) {
        EXPECT_EQ(policies[place], SCHED_OTHER) << "policy " << kRealTimePolicies[place];
    }
}

}  // namespace
}  // namespace quorvane::testing
