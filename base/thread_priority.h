#pragma once

namespace quorvane {

// Lets the window's thread go first: from now on the calling thread, a worker doing a
// window's slow work, gives up the processor whenever the thread that started it (the
// window's) is waiting for it. It still runs, at full speed, while the window waits for
// input: its work only ever finishes later, never not at all.
void RunBehindTheWindow();

// Runs every thread of process, one of this user's, at ordinary priority: a real-time one
// becomes an ordinary one of its niceness. Threads the process starts later are not
// touched.
void EndRealTimeThreadsOf(int process);

// How many steps of niceness a worker runs behind the window, up to the lowest priority.
inline constexpr int kBehindTheWindow = 10;
inline constexpr int kLowestNiceness = 19;

}  // namespace quorvane
