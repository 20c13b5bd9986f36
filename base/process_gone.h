#pragma once

#include <sys/types.h>

namespace quorvane {

// Whether the process pid has ended: a file whose name says pid writes it was left by a
// run that was killed. A process of another user, or one that took a gone one's number,
// counts as running, so that its files stay.
bool ProcessGone(pid_t pid);

}  // namespace quorvane
