#include "engine/gui/network_process_watch.h"

#include <glib-unix.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorvane {
namespace {

// The kernel keeps 15 bytes of a process's name.
constexpr std::string_view kNetworkProcessName = "WebKitNetworkPr";

// The parent and name of a process from its /proc/<pid>/stat line:
// "<pid> (<name>) <state> <ppid> ...", where the name may itself hold ") ".
bool ParentAndName(const std::filesystem::path& stat, pid_t& parent, std::string& name) {
    std::ifstream in(stat);
    std::string line;
    if (!std::getline(in, line)) {
        return false;
    }
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return false;
    }
    name = line.substr(open + 1, close - open - 1);
    char state = 0;
    int ppid = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) != 2) {
        return false;
    }
    parent = static_cast<pid_t>(ppid);
    return true;
}

}  // namespace

std::vector<pid_t> EngineNetworkProcesses() {
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        pid_t parent = 0;
        std::string name;
        if (ParentAndName(entry.path() / "stat", parent, name) && parent == ::getpid() &&
            name == kNetworkProcessName) {
            found.push_back(static_cast<pid_t>(std::stol(pid)));
        }
    }
    return found;
}

NetworkProcessWatch::NetworkProcessWatch(std::function<void()> ended) : ended_(std::move(ended)) {
    for (const pid_t pid : EngineNetworkProcesses()) {
        const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
        if (pidfd < 0) {
            continue;  // gone already, or a kernel without pidfds: nothing to watch
        }
        watched_.push_back({pidfd, g_unix_fd_add(pidfd, G_IO_IN, &OnEnded, this)});
    }
}

NetworkProcessWatch::~NetworkProcessWatch() {
    StopWatching();
}

void NetworkProcessWatch::StopWatching() {
    for (const Watched& each : watched_) {
        g_source_remove(each.source);
        ::close(each.pidfd);
    }
    watched_.clear();
}

gboolean NetworkProcessWatch::OnEnded(gint, GIOCondition, gpointer self) {
    auto* watch = static_cast<NetworkProcessWatch*>(self);
    // Removing the sources here, the one running included, is what GLib allows; ended
    // may destroy the watch, so it runs last.
    watch->StopWatching();
    std::function<void()> ended = watch->ended_;
    ended();
    return G_SOURCE_REMOVE;
}

}  // namespace quorvane
