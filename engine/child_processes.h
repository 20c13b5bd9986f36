#pragma once

#include <sys/types.h>

#include <string_view>
#include <vector>

namespace quorvane {

// The engine's network process, which every view of this program shares, is this process's
// child of that name (the kernel keeps 15 characters of it).
inline constexpr std::string_view kNetworkProcessName = "WebKitNetworkPr";
// Each view's page runs in a web process of this name.
inline constexpr std::string_view kWebProcessName = "WebKitWebProces";

// The ids of this process's children named name, read from /proc.
std::vector<pid_t> ChildProcessesNamed(std::string_view name);

// Ends the real-time scheduling the engine gives some of its threads where the system lets
// it (its IPC threads here, others in its processes): a real-time thread goes ahead of every
// ordinary one for as long as it wants a processor, and one of this process's, spinning
// for a heap lock, kept the window's thread from its processor for up to the kernel's
// real-time limit, 0.95 s of every second. The engine starts threads and processes as it
// goes (a new page may get a new process), so this is called for each page.
void EndEngineRealTimeThreads();

}  // namespace quorvane
