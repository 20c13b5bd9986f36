#include "bench/process_memory.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace quorvane::bench {

namespace {

// The parent of pid, from the field after the command's closing parenthesis.
int ParentOf(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream rest(text.substr(close + 1));
    std::string state;
    int parent = 0;
    rest >> state >> parent;
    return parent;
}

// The value in kB of the line starting with key in a /proc file, in megabytes.
double Megabytes(const std::string& path, const std::string& key) {
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key, 0) == 0) {
            return std::stod(line.substr(key.size())) / 1024;
        }
    }
    return 0;
}

std::set<int> ThisProcessAndItsDescendants() {
    std::set<int> family{static_cast<int>(::getpid())};
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename();
            if (name.find_first_not_of("0123456789") != std::string::npos) {
                continue;
            }
            const int pid = std::stoi(name);
            if (!family.contains(pid) && family.contains(ParentOf(name))) {
                family.insert(pid);
                grown = true;
            }
        }
    }
    return family;
}

}  // namespace

ProcessMemory MemoryOfAllProcesses() {
    ProcessMemory memory;
    for (const int pid : ThisProcessAndItsDescendants()) {
        const std::string proc = "/proc/" + std::to_string(pid);
        memory.peakMb += Megabytes(proc + "/status", "VmHWM:");
        memory.residentMb += Megabytes(proc + "/status", "VmRSS:");
        memory.proportionalMb += Megabytes(proc + "/smaps_rollup", "Pss:");
        ++memory.processes;
    }
    return memory;
}

}  // namespace quorvane::bench
