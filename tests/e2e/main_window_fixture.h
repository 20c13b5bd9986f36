#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/http_test_server.h"
#include "tests/e2e/main_window_driver.h"

namespace quorvane::test {

// Runs the shell command (xdotool) while the window goes on handling its events, and
// returns once the window has handled every key and click the command made. What those
// set off in an engine's own process (keys a page is given first) comes later still.
void AsAUser(const std::string& command);
// Keys typed into the main window, which is given the keyboard first.
void TypeKeys(const std::string& keys);

// A real main window with its own work folder and an HTTP server on 127.0.0.1. SetUp
// waits until the start page is loaded and analysed.
class MainWindowEndToEnd : public ::testing::Test, public MainWindowDriver {
  protected:
    void SetUp() override;
    void TearDown() override;

    // What status panel 1 says.
    std::string StatusText() const;
    // Serves body at path, opens it, and waits until the views show its analysis.
    void OpenPage(const std::string& path, const std::string& body, const std::string& marker);

    HttpTestServer server_;
    Views opening_ = Views::EachShownOnce;
};

}  // namespace quorvane::test
