#include "engine/child_processes.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "base/thread_priority.h"

namespace quorvane {
namespace {

// Calls found with the id and name of each of this process's children, read from /proc.
void ForEachChildProcess(const std::function<void(pid_t, std::string_view)>& found) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) {
            continue;
        }
        // "pid (comm) state ppid ...": comm may hold blanks and parentheses.
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) {
            continue;
        }
        std::istringstream rest(line.substr(close + 1));
        char state = 0;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent == getpid()) {
            found(static_cast<pid_t>(std::stol(line)),
                  std::string_view(line).substr(open + 1, close - open - 1));
        }
    }
}

}  // namespace

std::vector<pid_t> ChildProcessesNamed(std::string_view name) {
    std::vector<pid_t> children;
    ForEachChildProcess([&](pid_t child, std::string_view childName) {
        if (childName == name) {
            children.push_back(child);
        }
    });
    return children;
}

void EndEngineRealTimeThreads() {
    EndRealTimeThreadsOf(getpid());
    ForEachChildProcess([](pid_t child, std::string_view name) {
        if (name == kNetworkProcessName || name == kWebProcessName) {
            EndRealTimeThreadsOf(child);
        }
    });
}

}  // namespace quorvane
