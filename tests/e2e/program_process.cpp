#include "tests/e2e/program_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

namespace quorvane::test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path FreshProgramHome(const std::string& name) {
    const fs::path home =
        fs::temp_directory_path() / ("quorvane-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(home);
    for (const char* folder : {"config", "data", "cache", "runtime"}) {
        fs::create_directories(home / folder);
    }
    fs::permissions(home / "runtime", fs::perms::owner_all);
    return home;
}

namespace {

void LinkOrCopy(const fs::path& file, const fs::path& folder) {
    std::error_code noLink;
    fs::create_hard_link(file, folder / file.filename(), noLink);
    if (noLink) {
        fs::copy_file(file, folder / file.filename());
    }
}

}  // namespace

fs::path ProgramInHome(const fs::path& program, std::string_view filesBeside,
                       const fs::path& home) {
    const fs::path folder = home / "program";
    fs::create_directories(folder);
    LinkOrCopy(program, folder);
    for (std::size_t start = 0; start < filesBeside.size();) {
        const std::size_t end = std::min(filesBeside.find(',', start), filesBeside.size());
        LinkOrCopy(program.parent_path() / filesBeside.substr(start, end - start), folder);
        start = end + 1;
    }
    return folder / program.filename();
}

pid_t StartProgram(const fs::path& program, const fs::path& home) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
        // The display has no session bus, so desktop settings are kept in memory.
        ::setenv("GSETTINGS_BACKEND", "memory", 1);
        const fs::path errors = home / ("stderr-" + std::to_string(::getpid()) + ".txt");
        std::freopen(errors.c_str(), "w", stderr);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

std::string ProgramErrors(const fs::path& home, pid_t program) {
    std::ifstream in(home / ("stderr-" + std::to_string(program) + ".txt"));
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        ::pclose(pipe);
    }
    return output;
}

bool PollUntil(const std::function<bool()>& done, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

std::optional<unsigned long> FindWindow(const std::string& name, std::chrono::seconds timeout,
                                        std::optional<pid_t> owner) {
    const std::string search = "xdotool search --all --onlyvisible" +
                               (owner ? " --pid " + std::to_string(*owner) : std::string()) +
                               " --name '^" + name + "$'";
    std::string found;
    if (!PollUntil([&] { return !(found = RunCommand(search)).empty(); }, timeout)) {
        return std::nullopt;
    }
    return std::stoul(found);
}

std::optional<int> WaitForExit(pid_t child, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(50ms);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return std::nullopt;
}

}  // namespace quorvane::test
