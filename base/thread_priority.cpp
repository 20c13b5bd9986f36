#include "base/thread_priority.h"

#if defined(__linux__)
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#endif

namespace quorvane {

#if defined(__linux__)
void RunBehindTheWindow() {
    // On Linux a thread has a niceness of its own, set through its thread id. A niceness 10
    // higher gives a thread about a tenth of the weight: on a busy machine the window waits
    // for a worker's time slice a tenth as long. It counts from the program's own, so that
    // a program started behind others keeps its worker behind its window, never ahead.
    const auto thread = static_cast<id_t>(::gettid());
    errno = 0;
    const int niceness = ::getpriority(PRIO_PROCESS, thread);
    if (errno != 0) {
        return;
    }
    // Failing leaves the thread as it was, which only costs the window its turn sooner.
    (void)::setpriority(PRIO_PROCESS, thread,
                        std::min(niceness + kBehindTheWindow, kLowestNiceness));
}

void EndRealTimeThreadsOf(int process) {
    // Each thread has a scheduling policy of its own, set through its thread id.
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(process) + "/task";
    for (auto task = std::filesystem::directory_iterator(tasks, error);
         !error && task != std::filesystem::directory_iterator(); task.increment(error)) {
        const pid_t thread = std::stoi(task->path().filename().string());
        const int policy = ::sched_getscheduler(thread) & ~SCHED_RESET_ON_FORK;
        if (policy == SCHED_FIFO || policy == SCHED_RR) {
            // Failing (the thread ended meanwhile) leaves nothing to do.
            const sched_param ordinary{};
            (void)::sched_setscheduler(thread, SCHED_OTHER, &ordinary);
        }
    }
}
#else
void RunBehindTheWindow() {}
void EndRealTimeThreadsOf(int) {}
#endif

}  // namespace quorvane
