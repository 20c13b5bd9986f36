#include "engine/child_processes.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quorvane {

std::vector<pid_t> ChildProcessesNamed(std::string_view name) {
    std::vector<pid_t> children;
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
        if (parent == getpid() && line.substr(open + 1, close - open - 1) == name) {
            children.push_back(static_cast<pid_t>(std::stol(line)));
        }
    }
    return children;
}

}  // namespace quorvane
