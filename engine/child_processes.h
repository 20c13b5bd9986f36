#pragma once

#include <sys/types.h>

#include <string_view>
#include <vector>

namespace quorvane {

// The engine's network process, which every view of this program shares, is this process's
// child of that name (the kernel keeps 15 characters of it).
inline constexpr std::string_view kNetworkProcessName = "WebKitNetworkPr";

// The ids of this process's children named name, read from /proc.
std::vector<pid_t> ChildProcessesNamed(std::string_view name);

}  // namespace quorvane
