#include "base/thread_priority.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
#else
void RunBehindTheWindow() {}
#endif

}  // namespace quorvane
