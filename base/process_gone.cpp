#include "base/process_gone.h"

#include <unistd.h>

#include <cerrno>

namespace quorvane {

// A process that is gone has no process group either; asking for it needs no right to
// signal the process, which a process of another user would refuse.
bool ProcessGone(pid_t pid) {
    return pid > 0 && pid != ::getpid() && ::getpgid(pid) < 0 && errno == ESRCH;
}

}  // namespace quorvane
