#include "tests/e2e/main_window_fixture.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <wx/statusbr.h>

#include "tests/e2e/event_pump.h"

namespace quorvane::test {

void MainWindowEndToEnd::SetUp() {
    ASSERT_TRUE(
        Open(FreshTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()),
             opening_));
}

void MainWindowEndToEnd::TearDown() {
    Close();
    std::filesystem::remove_all(workFolder_);
}

std::string MainWindowEndToEnd::StatusText() const {
    return frame_->GetStatusBar()->GetStatusText(0).utf8_string();
}

void MainWindowEndToEnd::OpenPage(const std::string& path, const std::string& body,
                                  const std::string& marker) {
    server_.Serve(path, "text/html", body);
    TypeAddressAndPressEnter(server_.Url(path));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url(path), marker));
}

// Runs the shell command (xdotool) while the window goes on handling its events, and
// then until the window has handled every key and click the command made.
void AsAUser(const std::string& command) {
    std::atomic<bool> done = false;
    std::thread user([&] {
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }, std::chrono::seconds(60))) << command;
    user.join();
    EXPECT_TRUE(WaitUntilEarlierInputHandled()) << command;
}

// Keys typed into the main window, which is given the keyboard first.
void TypeKeys(const std::string& keys) {
    AsAUser("xdotool search --name '^Quorvane by' windowfocus --sync key --delay 150 " + keys);
}

}  // namespace quorvane::test
