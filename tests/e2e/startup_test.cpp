// The real program as a user starts it: splash, main window with its caption and the
// start page, then closed with the window's close box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/e2e/close_request.h"
#include "tests/e2e/program_process.h"

namespace {

using namespace std::chrono_literals;
using namespace quorvane::test;

TEST(ProgramStartUp, OpensTheStartPageAndEndsCleanlyWhenClosed) {
    const auto home = FreshProgramHome("startup");
    const pid_t child =
        StartProgram(ProgramInHome(QUORVANE_PROGRAM, QUORVANE_FILES_BESIDE_PROGRAM, home), home);
    ASSERT_GE(child, 0);
    // The caption names the start page once the Browser view has loaded it.
    const auto window = FindWindow("Quorvane by Tarnwick Downloads - Welcome to Quorvane", 30s);
    if (!window) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        FAIL() << "the main window never showed the start page";
    }
    // The splash window has gone by now.
    EXPECT_EQ(RunCommand("xdotool search --onlyvisible --name '^Quorvane$'"), "");
    // Docks group the window under the desktop entry's icon by its class.
    std::ifstream entry(QUORVANE_DESKTOP_ENTRY);
    std::string line;
    std::string entryClass;
    while (std::getline(entry, line)) {
        if (line.starts_with("StartupWMClass=")) {
            entryClass = line.substr(line.find('=') + 1);
        }
    }
    EXPECT_THAT(RunCommand("xprop -id " + std::to_string(*window) + " WM_CLASS"),
                ::testing::EndsWith(", \"" + entryClass + "\"\n"));
    EXPECT_FALSE(entryClass.empty());
    ASSERT_TRUE(SendCloseRequest(*window));
    EXPECT_EQ(WaitForExit(child, 15s), std::optional<int>(0));
    EXPECT_EQ(ProgramErrors(home, child), "") << "the program wrote to its terminal";
    std::filesystem::remove_all(home);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
