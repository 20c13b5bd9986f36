// How fast the "Original Source" view shows the page as it is now and its changes, in the
// real main window: a page of 1 MB and one of 5 MB whose script rewrites every other
// paragraph, so half its body. For each: the comparison alone (reformatting both texts
// and comparing their lines, off the window's thread), then in the window the time from
// choosing "As the page is now" until the live text is in the view, and from choosing
// "Changes" until the view says how many there are, with the longest the event loop could
// not answer meanwhile. Run it on a display of its own:
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/source_changes_bench
#include <algorithm>
#include <cstdio>
#include <string>

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
    {
        quorvane::bench::StallMeter stalls;
        const auto start = Clock::now();
        parts.ChooseMode(SourceMode::AsNow);
        quorvane::test::WaitUntil(
            [&] {
                return view.Complete() &&
                       view.ShownText().find("rewritten paragraph 2</p>") != std::string_view::npos;
            },
            std::chrono::minutes(2));
        std::printf("  as it is now:     %8.0f ms, longest stall %6.0f ms\n",
                    Milliseconds(Clock::now() - start), stalls.LongestMs());
    }
    {
        quorvane::bench::StallMeter stalls;
        const auto start = Clock::now();
        parts.ChooseMode(SourceMode::Changes);
        quorvane::test::WaitUntil(
            [&] {
                const std::string note = parts.ModeNote();
                return note.find("change") != std::string::npos ||
                       note.find("too large") != std::string::npos;
            },
            std::chrono::minutes(5));
        std::printf("  changes:          %8.0f ms, longest stall %6.0f ms  (%s)\n",
                    Milliseconds(Clock::now() - start), stalls.LongestMs(),
                    parts.ModeNote().c_str());
    }
    parts.ChooseMode(SourceMode::AsServed);
    return true;
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
