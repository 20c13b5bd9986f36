// One browser element on the real engine, without the main window around it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
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

// Runs use on a Browser view element in a frame of its own, with the recorder of its loads,
// and takes both away afterwards.
void WithElement(const std::function<void(WebViewBrowserElement&, const DownloadRecorder&)>& use) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "element");
    DownloadRecorder recorder;
    {
        WebViewBrowserElement element(frame, 0, WebViewBrowserElement::Kind::Browser, recorder,
                                      ProgramFolder() + "/home.html");
        recorder.element = &element;
        frame->Show();
        use(element, recorder);
    }
    EXPECT_TRUE(DestroyAndWait(frame));
}

// The engine loads an empty page into a new view of its own accord; an analysis of it
// at every start would be work nobody asked for.
TEST(BrowserElementEndToEnd, TheFirstLoadItReportsIsTheFirstItWasAskedFor) {
    WithElement([](WebViewBrowserElement& element, const DownloadRecorder& recorder) {
        element.GoHome();
        const std::string home = MainWindowDriver::HomePageAddress();
        ASSERT_TRUE(WaitUntil(
            [&] { return !recorder.downloads.empty() && recorder.downloads.back() == home; }));
        EXPECT_THAT(recorder.downloads, ::testing::ElementsAre(home));
    });
}

// Loads page into a Browser view element, asks it what ask asks, and takes it away once
// answered says every answer has come.
void AskLoadedElement(const std::filesystem::path& page,
                      const std::function<void(BrowserViewElement&)>& ask,
                      const std::function<bool()>& answered) {
    WithElement([&](WebViewBrowserElement& element, const DownloadRecorder& recorder) {
        element.LoadFile(page.string());
        EXPECT_TRUE(WaitUntil([&] { return !recorder.downloads.empty(); }));
        ask(element);
        EXPECT_TRUE(WaitUntil(answered));
    });
}

// The body is read in slices of 2^20 UTF-16 units. Here a character outside the basic plane
// lies across the first slice's end, and a script leaves a NUL in the text: the capture
// holds both as they are, as does a second capture made at the same time.
TEST(BrowserElementEndToEnd, CapturesTheBodyWholeWhateverItHolds) {
    const std::string filler(1048576 - 1 - std::string("<body>").size(), 'a');
    const std::string script =
        "<script>document.body.appendChild(document.createTextNode(\"x\\u0000y\"))</script>";
    const std::filesystem::path folder = FreshTempFolder("capture");
    const std::filesystem::path page = folder / "page.html";
    std::ofstream(page, std::ios::binary)
        << "<html><head><meta charset=\"utf-8\"></head><body>" << filler << "\xF0\x9F\x98\x80"
        << script << "</body></html>";
    std::array<std::optional<std::optional<std::string>>, 2> captured;
    AskLoadedElement(
        page,
        [&](BrowserViewElement& element) {
            for (auto& capture : captured) {
                element.CaptureBodyHtml([&](std::optional<std::string> body) { capture = body; });
            }
        },
        [&] { return captured[0] && captured[1]; });
    std::filesystem::remove_all(folder);
    const std::string expected =
        "<body>" + filler + "\xF0\x9F\x98\x80" + script + "x" + std::string(1, '\0') + "y</body>";
    for (const auto& capture : captured) {
        ASSERT_TRUE(capture.has_value() && capture->has_value());
        // Compared whole, but only the end is printed: the text is a megabyte long.
        EXPECT_TRUE(**capture == expected)
            << (*capture)->size() << " bytes, ending: " << (*capture)->substr(filler.size());
    }
}

// UTF-16 units of a UTF-8 text.
std::size_t Utf16Units(const std::string& text) {
    std::size_t units = 0;
    for (const char byte : text) {
        const auto lead = static_cast<unsigned char>(byte);
        units += (lead & 0xC0) != 0x80 ? (lead >= 0xF0 ? 2 : 1) : 0;
    }
    return units;
}

// The start of the body is read without serialising the whole, by our own walk over the
// nodes: wherever it ends, it is the whole body's start, unit for unit, whatever the markup
// (escapes in text and attributes, raw text, templates, foreign elements, characters outside
// the basic plane, elements made by scripts); a body no longer than asked gives none.
TEST(BrowserElementEndToEnd, CapturesTheStartOfTheBodyAsTheWholeBegins) {
    const std::string block =
        "<div class=\"a\" title='q \"x\" &amp; y &lt;z&gt; &nbsp;'>text &amp; &lt;b&gt; &nbsp;"
        "\xF0\x9F\x98\x80<!-- a -- comment --><p>para<img src=\"pics/a.gif\" alt=\"\">"
        "<br></p></div><script>if (1 < 2 && 3 > 2) {}</script><style>p > a {}</style>"
        "<noscript><b>no</b></noscript><template><p>t &amp;</p></template>"
        "<svg viewBox=\"0 0 1 1\"><circle r=\"1\"/><foreignObject><p>f</p></foreignObject></svg>"
        "<table><tr><td>c</td></tr></table><textarea>a &amp; b</textarea><pre>\nlead</pre>"
        "<my-element a=\"1\"><span>custom</span></my-element><select><option>o</option>"
        "</select><iframe srcdoc=\"<p>x</p>\"></iframe>\r\n";
    std::string blocks;
    for (int k = 0; k < 20; ++k) {
        blocks += block;
    }
    const std::string script =
        "<script>const made = document.createElement('p'); made.setAttribute('data-x', '<\"&');"
        "made.append('made & <made>'); document.body.prepend(made);</script>";
    const std::filesystem::path folder = FreshTempFolder("capture-start");
    const std::filesystem::path page = folder / "page.html";
    std::ofstream(page, std::ios::binary)
        << "<html><head><meta charset=\"utf-8\"></head><body class=\"b\">" << blocks << script
        << "</body></html>";
    std::optional<std::optional<std::string>> whole;
    std::vector<std::pair<std::size_t, std::optional<std::optional<std::string>>>> starts;
    for (std::size_t chars = 3; chars < 12000; chars += 97) {
        starts.push_back({chars, std::nullopt});
    }
    starts.push_back({1'000'000, std::nullopt});
    AskLoadedElement(
        page,
        [&](BrowserViewElement& element) {
            for (auto& [chars, start] : starts) {
                element.CaptureBodyStart(
                    chars, [&start](std::optional<std::string> text) { start = std::move(text); });
            }
            element.CaptureBodyHtml([&](std::optional<std::string> body) { whole = body; });
        },
        [&] { return whole.has_value(); });
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(whole.has_value());
    ASSERT_TRUE(whole->has_value());
    const std::string& body = **whole;
    ASSERT_GT(Utf16Units(body), 12000u);
    for (const auto& [chars, start] : starts) {
        ASSERT_TRUE(start.has_value()) << chars;
        if (chars > Utf16Units(body)) {
            EXPECT_FALSE(start->has_value()) << chars;
            continue;
        }
        ASSERT_TRUE(start->has_value()) << chars;
        const std::string& text = **start;
        EXPECT_EQ(text, body.substr(0, text.size())) << chars;
        // One short only where a character of two units would be cut.
        EXPECT_TRUE(Utf16Units(text) == chars || Utf16Units(text) + 1 == chars) << chars;
    }
}

}  // namespace
}  // namespace quorvane::test
