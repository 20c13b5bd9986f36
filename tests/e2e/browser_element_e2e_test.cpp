// One browser element on the real engine, without the main window around it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
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

// The body is read in slices of 2^20 UTF-16 units. Here a character outside the basic plane
// lies across the first slice's end, and a script leaves a NUL in the text: the capture
// holds both as they are.
TEST(BrowserElementEndToEnd, CapturesTheBodyWholeWhateverItHolds) {
    const std::string filler(1048576 - 1 - std::string("<body>").size(), 'a');
    const std::string script =
        "<script>document.body.appendChild(document.createTextNode(\"x\\u0000y\"))</script>";
    const std::filesystem::path folder = FreshTempFolder("capture");
    const std::filesystem::path page = folder / "page.html";
    std::ofstream(page, std::ios::binary)
        << "<html><head><meta charset=\"utf-8\"></head><body>" << filler << "\xF0\x9F\x98\x80"
        << script << "</body></html>";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "element");
    DownloadRecorder recorder;
    std::optional<std::optional<std::string>> captured;
    {
        WebViewBrowserElement element(frame, 0, WebViewBrowserElement::Kind::Browser, recorder,
                                      ProgramFolder() + "/home.html");
        recorder.element = &element;
        frame->Show();
        element.LoadFile(page.string());
        ASSERT_TRUE(WaitUntil([&] { return !recorder.downloads.empty(); }));
        element.CaptureBodyHtml([&](std::optional<std::string> body) { captured = body; });
        ASSERT_TRUE(WaitUntil([&] { return captured.has_value(); }));
    }
    frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(captured->has_value());
    const std::string expected =
        "<body>" + filler + "\xF0\x9F\x98\x80" + script + "x" + std::string(1, '\0') + "y</body>";
    // Compared whole, but only the ends are printed: the text is a megabyte long.
    EXPECT_TRUE(**captured == expected)
        << (*captured)->size() << " bytes, ending: " << (*captured)->substr(filler.size());
}

}  // namespace
}  // namespace quorvane::test
