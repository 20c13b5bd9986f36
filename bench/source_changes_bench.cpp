// How fast the "Original Source" view shows the page as it is now and its changes, in the
// real main window: a page of 1 MB and one of 5 MB whose script rewrites every other
// paragraph, so half its body. For each: the comparison alone (reformatting both texts
// and comparing their lines, off the window's thread), then in the window the time from
// choosing "As the page is now" until the live text is in the view, and from choosing
// "Changes" until the view, saying how many there are, has painted them, and until all of
// the text is in the view, with the longest the event loop could not answer meanwhile and
// the most the window's own thread worked in one such stall. Run it on a display of its own:
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/source_changes_bench
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "bench/stall_meter.h"
#include "inspection/gui/served_source_view.h"
#include "main_window/gui/main_frame.h"
#include "main_window/gui/served_source_controls.h"
#include "source_changes/source_comparison.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/gui_session.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/main_window_driver.h"

namespace {

using quorvane::SourceMode;
using quorvane::bench::Clock;
using quorvane::bench::Milliseconds;
using quorvane::test::HttpTestServer;
using quorvane::test::MainWindowDriver;

constexpr const char* kRewrite =
    "<script>\nlet n = 0;\nfor (const p of document.querySelectorAll('p')) {\n"
    "  if (n++ % 2) p.textContent = 'rewritten paragraph ' + n;\n}\n"
    "document.body.append('marker-done');\n</script>\n";

// A page of about size bytes of paragraphs, its script last.
std::string Page(std::size_t size) {
    std::string page = "<!DOCTYPE html>\n<html><head><title>Bench</title></head>\n<body>\n";
    for (int i = 0; page.size() < size; ++i) {
        page += "<p>Paragraph " + std::to_string(i) +
                " of ordinary text that a page might hold, with a <b>word</b> or two.</p>\n";
    }
    return page + kRewrite + "</body></html>\n";
}

// The live text as the engine gives it, made here for the comparison alone.
std::string Rewritten(const std::string& page) {
    std::string live;
    std::size_t at = 0;
    int n = 0;
    for (std::size_t p = page.find("<p>"); p != std::string::npos; p = page.find("<p>", at)) {
        const std::size_t end = page.find("</p>", p);
        live.append(page, at, p + 3 - at);
        ++n;
        if (n % 2 == 0) {
            live += "rewritten paragraph " + std::to_string(n);
        } else {
            live.append(page, p + 3, end - p - 3);
        }
        at = end;
    }
    return live + page.substr(at);
}

void MeasureComparison(const std::string& page) {
    const std::string live = Rewritten(page);
    const auto start = Clock::now();
    const quorvane::SourceComparison compared = quorvane::CompareSources(page, live);
    std::printf("  comparison alone: %8.0f ms  (%s)\n", Milliseconds(Clock::now() - start),
                compared.note.c_str());
}

// When the view first painted with shown() true: a test polled between the loop's turns
// would see it only once the loop is idle, after the lexer has coloured the whole text.
class FirstPaint {
  public:
    FirstPaint(quorvane::ServedSourceView& view, std::function<bool()> shown)
        : view_(view), shown_(std::move(shown)) {
        view_.Bind(wxEVT_STC_PAINTED, &FirstPaint::OnPaint, this);
    }
    ~FirstPaint() { view_.Unbind(wxEVT_STC_PAINTED, &FirstPaint::OnPaint, this); }
    FirstPaint(const FirstPaint&) = delete;
    FirstPaint& operator=(const FirstPaint&) = delete;

    const std::optional<Clock::time_point>& At() const { return at_; }

  private:
    void OnPaint(wxStyledTextEvent& event) {
        if (!at_ && shown_()) {
            at_ = Clock::now();
        }
        event.Skip();
    }

    quorvane::ServedSourceView& view_;
    std::function<bool()> shown_;
    std::optional<Clock::time_point> at_;
};

// Chooses mode and prints how long until the view painted with shown() true and until all
// of the text was in it, with the longest stall meanwhile and the most the window's thread
// worked in one stall, then each stall over 50 ms.
bool MeasureMode(quorvane::ServedSourceControls& parts, quorvane::ServedSourceView& view,
                 SourceMode mode, const char* name, std::function<bool()> shown) {
    FirstPaint painted(view, shown);
    quorvane::bench::StallMeter stalls;
    const auto start = Clock::now();
    parts.ChooseMode(mode);
    const bool done = quorvane::test::WaitUntil(
        [&] { return painted.At() && shown() && view.Complete(); }, std::chrono::minutes(5));
    const auto whole = Clock::now();
    if (!done) {
        std::printf("  %s: not shown\n", name);
        return false;
    }
    std::printf(
        "  %-12s on screen %6.0f ms, all in %6.0f ms, longest stall %4.0f ms, the window's "
        "most work in one stall %4.0f ms  (%s)\n",
        name, Milliseconds(*painted.At() - start), Milliseconds(whole - start), stalls.LongestMs(),
        stalls.MostCpuMs(), parts.ModeNote().c_str());
    quorvane::bench::PrintStalls(stalls, start);
    return true;
}

bool MeasureWindow(MainWindowDriver& driver, HttpTestServer& server, const std::string& path,
                   const std::string& page) {
    server.Serve(path, "text/html", page);
    driver.TypeAddressAndPressEnter(server.Url(path));
    if (!driver.WaitForAnalysedPage(server.Url(path), "marker-done")) {
        std::printf("  the page did not load\n");
        return false;
    }
    quorvane::ServedSourceControls& parts = driver.Frame().ServedSourceParts();
    quorvane::ServedSourceView& view = driver.Frame().ServedSource();
    parts.ChooseMode(SourceMode::AsServed);
    driver.Frame().Controller().SelectView(quorvane::MainWindowController::kServedSourceView);
    quorvane::test::WaitUntil([&] { return view.Complete() && view.GetLength() > 0; },
                              std::chrono::minutes(2));
    quorvane::test::PumpEvents(std::chrono::milliseconds(500));
    const bool done =
        MeasureMode(parts, view, SourceMode::AsNow, "as it is now:",
                    [&] {
                        return view.GetLength() > 0 &&
                               view.ShownText().find("rewritten paragraph 2</p>") !=
                                   std::string_view::npos;
                    }) &&
        MeasureMode(parts, view, SourceMode::Changes, "changes:", [&] {
            const std::string note = parts.ModeNote();
            return view.GetLength() > 0 && (note.find("change") != std::string::npos ||
                                            note.find("too large") != std::string::npos);
        });
    parts.ChooseMode(SourceMode::AsServed);
    return done;
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::test::GuiSession session(argc, argv);
    if (!session.Started()) {
        std::fprintf(stderr, "source_changes_bench: the windows cannot start\n");
        return 2;
    }
    HttpTestServer server;
    MainWindowDriver driver;
    const auto workFolder = quorvane::test::FreshTempFolder("source-changes-bench");
    bool done = driver.Open(workFolder);
    for (const std::size_t megabytes : {1, 5}) {
        const std::string page = Page(megabytes << 20);
        std::printf("%zu MB page, half its paragraphs rewritten:\n", megabytes);
        MeasureComparison(page);
        done = done && MeasureWindow(driver, server, "/bench" + std::to_string(megabytes), page);
    }
    driver.Close();
    std::filesystem::remove_all(workFolder);
    return done ? 0 : 1;
}
