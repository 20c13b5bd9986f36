#include "tests/e2e/main_window_fixture.h"

#include <unistd.h>
#include <wx/webview.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "analysis/work_files.h"
#include "branding/branding_values.h"
#include "branding/show_help_setting.h"
#include "desktop/program_folder.h"
#include "main_window/address_to_load.h"
#include "tests/e2e/event_pump.h"

namespace quorvane::test {

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path FreshTempFolder(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("quorvane-e2e-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void MainWindowEndToEnd::SetUp() {
    LoadBrandingValues();
    // The Help window is not what these tests look at.
    ShowHelpSetting(strProductName).Write("0");
    workFolder_ = FreshTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    frame_ = new Form1(nullptr, WorkFolder::ForRun(workFolder_.string(), workFolder_ / "copies"));
    frame_->Load();
    frame_->Show();
    ASSERT_TRUE(
        WaitForAnalysedPage(AddressToLoad(ProgramFolder() + "/home.html"), "home-browser.svg"));
}

void MainWindowEndToEnd::TearDown() {
    if (frame_ != nullptr) {
        frame_->Destroy();
        PumpEvents(std::chrono::milliseconds(50));
    }
    std::filesystem::remove_all(workFolder_);
}

void MainWindowEndToEnd::TypeAddressAndPressEnter(const std::string& address) {
    frame_->SetAddressText(address);
    frame_->Controller().AddressKeyPress(13);
}

std::string MainWindowEndToEnd::WorkFile(const std::string& name) const {
    return WorkFilePath(workFolder_.string(), name);
}

std::string MainWindowEndToEnd::ReadWorkFile(const std::string& name) const {
    return ReadFileBytes(WorkFile(name));
}

std::string MainWindowEndToEnd::PageSource(int index) const {
    return frame_->Element(index).Window()->GetPageSource().utf8_string();
}

bool MainWindowEndToEnd::WaitForElementAt(int index, const std::string& address) {
    return WaitUntil([&] {
        WebViewBrowserElement& element = frame_->Element(index);
        return element.LocationURL() == address && !element.Busy();
    });
}

bool MainWindowEndToEnd::ViewsShowTheWorkFiles() const {
    WebViewBrowserElement& source = frame_->Element(1);
    WebViewBrowserElement& images = frame_->Element(2);
    return source.LocationURL() == AddressToLoad(WorkFile("/source.htm")) && !source.Busy() &&
           images.LocationURL() == AddressToLoad(WorkFile("/imagepage.html")) && !images.Busy() &&
           PageSource(1) == ReadWorkFile("/source.htm") &&
           PageSource(2) == ReadWorkFile("/imagepage.html");
}

bool MainWindowEndToEnd::WaitForAnalysedPage(const std::string& address,
                                             const std::string& marker) {
    return WaitForElementAt(0, address) && WaitUntil([&] {
               return ReadWorkFile("/source.htm").find(marker) != std::string::npos &&
                      ViewsShowTheWorkFiles();
           });
}

std::optional<std::string> MainWindowEndToEnd::CaptureBrowserBody() {
    bool done = false;
    std::optional<std::string> body;
    frame_->Element(0).CaptureBodyHtml([&](std::optional<std::string> html) {
        body = std::move(html);
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done; }));
    return body;
}

}  // namespace quorvane::test
