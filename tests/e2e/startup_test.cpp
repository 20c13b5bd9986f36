// The real program as a user starts it: splash, main window with its caption and the
// start page, then closed with the window's close box.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "tests/e2e/close_request.h"

namespace {

using namespace std::chrono_literals;
using quorvane::test::SendCloseRequest;

std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

// The first window whose name is exactly name, waiting for it up to timeout.
std::optional<unsigned long> FindWindow(const std::string& name, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string found =
            RunCommand("xdotool search --onlyvisible --name '^" + name + "$'");
        if (!found.empty()) {
            return std::stoul(found);
        }
        std::this_thread::sleep_for(100ms);
    }
    return std::nullopt;
}

// The exit status of the child, or nullopt when it has not ended within timeout.
std::optional<int> WaitForExit(pid_t child, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

TEST(ProgramStartUp, OpensTheStartPageAndEndsCleanlyWhenClosed) {
    const auto home =
        std::filesystem::temp_directory_path() / ("quorvane-startup-" + std::to_string(getpid()));
    for (const char* folder : {"config", "data", "cache"}) {
        std::filesystem::create_directories(home / folder);
    }
    const auto errors = home / "stderr.txt";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
        // The display has no session bus, so desktop settings are kept in memory.
        setenv("GSETTINGS_BACKEND", "memory", 1);
        freopen(errors.c_str(), "w", stderr);
        execl(QUORVANE_PROGRAM, QUORVANE_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    // The caption names the start page once the Browser view has loaded it.
    const auto window = FindWindow("Quorvane by Tarnwick Downloads - Welcome to Quorvane", 30s);
    if (!window) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        FAIL() << "the main window never showed the start page";
    }
    // The splash window has gone by now.
    EXPECT_EQ(RunCommand("xdotool search --onlyvisible --name '^Quorvane$'"), "");
    ASSERT_TRUE(SendCloseRequest(*window));
    const auto status = WaitForExit(child, 15s);
    if (!status) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    EXPECT_EQ(status, std::optional<int>(0));
    std::ifstream in(errors);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "")
        << "the program wrote to its terminal";
    std::filesystem::remove_all(home);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
