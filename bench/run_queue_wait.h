#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

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

}  // namespace quorvane::bench
