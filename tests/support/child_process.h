#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace quorvane {

// Runs step in a child process and returns the child's exit status, which is step's
// result, or -1 when the child did not end normally (a crash, or an alarm it set).
inline int RunInChild(const std::function<int()>& step) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(step());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Runs step in a child process that cannot make any file larger than maxFileSize
// bytes, which is what a full disk looks like to a program, without needing root to
// fill one: a write past the limit fails (EFBIG) instead of killing the child.
inline int RunWithFileSizeLimit(rlim_t maxFileSize, const std::function<int()>& step) {
    return RunInChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{maxFileSize, maxFileSize};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? step() : 126;
    });
}

}  // namespace quorvane
