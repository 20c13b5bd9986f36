// One browser element on the real engine, without the main window around it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <chrono>
#include <string>
#include <vector>

#include "desktop/program_folder.h"
#include "engine/gui/webview_browser_element.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_driver.h"

namespace quorvane::test {
namespace {

// The address an element showed at each of its LoadFinished events.
class DownloadRecorder : public BrowserEvents {
  public:
    const BrowserElement* element = nullptr;
    std::vector<std::string> downloads;

    void StatusTextChange(int, const std::string&) override {}
    void ProgressChange(int, std::int32_t, std::int32_t) override {}
    void LoadFinished(int) override { downloads.push_back(element->Address()); }
    void TitleChange(int, const std::string&) override {}
    void NewWindowRequested(int, const std::string&, bool) override {}
};

// The engine loads an empty page into a new view of its own accord; an analysis of it
// at every start would be work nobody asked for.
TEST(BrowserElementEndToEnd, TheFirstLoadItReportsIsTheFirstItWasAskedFor) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "element");
    DownloadRecorder recorder;
    {
        WebViewBrowserElement element(frame, 0, WebViewBrowserElement::Kind::Browser, recorder,
                                      ProgramFolder() + "/home.html");
        recorder.element = &element;
        frame->Show();
        element.GoHome();
        const std::string home = MainWindowDriver::HomePageAddress();
        ASSERT_TRUE(WaitUntil(
            [&] { return !recorder.downloads.empty() && recorder.downloads.back() == home; }));
        EXPECT_THAT(recorder.downloads, ::testing::ElementsAre(home));
    }
    frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
}

}  // namespace
}  // namespace quorvane::test
