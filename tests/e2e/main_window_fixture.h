#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "main_window/main_frame.h"
#include "tests/e2e/http_test_server.h"

namespace quorvane::test {

// A real main window with its three WebKit elements, its own work folder and an HTTP
// server on 127.0.0.1. SetUp waits until the start page is loaded and analysed.
class MainWindowEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Types the address into the address box and presses Enter, as a user would.
    void TypeAddressAndPressEnter(const std::string& address);
    // Waits until element 0 shows address and the two generated views have loaded the
    // analysis of that page (source.htm holds marker, and both views show the files).
    bool WaitForAnalysedPage(const std::string& address, const std::string& marker);
    bool WaitForElementAt(int index, const std::string& address);
    // The body HTML element 0 holds now, as the engine gives it.
    std::optional<std::string> CaptureBrowserBody();

    std::string WorkFile(const std::string& name) const;
    std::string ReadWorkFile(const std::string& name) const;
    std::string PageSource(int index) const;
    bool ViewsShowTheWorkFiles() const;

    std::filesystem::path workFolder_;
    Form1* frame_ = nullptr;
    HttpTestServer server_;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// A folder of its own under the temporary folder, for this process and name.
std::filesystem::path FreshTempFolder(const std::string& name);

}  // namespace quorvane::test
