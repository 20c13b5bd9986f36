// How the "Original Source" view's code viewer copes with large texts, on its own: the
// time from handing it a page's text until its first screen is painted coloured, until
// every line is coloured, and the longest time the event loop could not answer meanwhile;
// and the window's time to take the next page while the links of a 64 MB one are still
// being found.
// Run it on a display of its own:
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/served_source_view_bench
//       [--runs N [--next-page]]
#include <wx/frame.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/generated_page.h"
#include "bench/stall_meter.h"
#include "inspection/gui/served_source_view.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/gui_session.h"

namespace {

using quorvane::bench::Clock;
using quorvane::bench::Milliseconds;

struct Figures {
    double shown;
    double coloured;
    double longestStall;
};

// When the view first painted after it was last reset.
struct PaintWatch {
    bool painted = false;
    Clock::time_point at;
};

Figures MeasureRun(quorvane::ServedSourceView& view, PaintWatch& watch, const std::string& text) {
    view.ShowSource("<p>before</p>", "http://127.0.0.1/");
    quorvane::test::PumpEvents(std::chrono::milliseconds(200));
    watch.painted = false;
    std::string handedOver = text;  // the page's text is the view's from now on
    quorvane::bench::StallMeter stalls;
    const auto start = Clock::now();
    view.ShowSource(std::move(handedOver), "http://127.0.0.1/page.html");
    quorvane::test::WaitUntil([&] { return watch.painted; }, std::chrono::minutes(10));
    quorvane::test::WaitUntil([&] { return view.GetEndStyled() >= view.GetLength(); },
                              std::chrono::minutes(10));
    const auto colouredAt = Clock::now();
    return {Milliseconds(watch.at - start), Milliseconds(colouredAt - start), stalls.LongestMs()};
}

// The window's time in ShowSource for a small page handed over right after a large one,
// whose link scan beside the window is still running then.
double NextPageAfter(quorvane::ServedSourceView& view, const std::string& large) {
    view.ShowSource(large, "http://127.0.0.1/large.html");
    const auto start = Clock::now();
    view.ShowSource("<p>next</p>", "http://127.0.0.1/next.html");
    const double taken = Milliseconds(Clock::now() - start);
    quorvane::test::WaitUntil([&] { return view.Complete(); }, std::chrono::minutes(10));
    return taken;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::test::GuiSession session(argc, argv);
    if (!session.Started()) {
        std::fprintf(stderr, "served_source_view_bench: no display\n");
        return 2;
    }
    const int runs = argc > 2 && std::string(argv[1]) == "--runs" ? std::atoi(argv[2]) : 5;
    const bool onlyNextPage = argc > 3 && std::string(argv[3]) == "--next-page";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1200, 800));
    auto* view = new quorvane::ServedSourceView(
        frame, [](const std::string&, bool) {}, [](const std::string&) {});
    PaintWatch watch;
    view->Bind(wxEVT_STC_PAINTED, [&watch](wxStyledTextEvent& event) {
        if (!watch.painted) {
            watch.painted = true;
            watch.at = Clock::now();
        }
        event.Skip();
    });
    frame->Show();
    quorvane::test::PumpEvents(std::chrono::milliseconds(500));
    const struct {
        const char* name;
        std::size_t size;
        int pictures;
        const char* lineBreak;
    } pages[] = {{"1 MB", 1'000'000, 500, "\r\n"},
                 {"5 MB", 5'000'000, 2000, "\r\n"},
                 {"20 MB", 20'000'000, 10'000, "\r\n"},
                 {"5 MB on one line", 5'000'000, 2000, " "}};
    for (const auto& page : pages) {
        if (onlyNextPage) {
            break;
        }
        const std::string text =
            "<html><head><title>bench</title></head>" +
            quorvane::bench::GeneratedBody(page.size, page.pictures, page.lineBreak) + "</html>";
        std::vector<double> shown, coloured, stall;
        for (int run = 0; run < runs; ++run) {
            const Figures figures = MeasureRun(*view, watch, text);
            std::printf(
                "%-18s run %d: shown %6.0f ms, all coloured %6.0f ms, longest stall %5.0f ms\n",
                page.name, run + 1, figures.shown, figures.coloured, figures.longestStall);
            std::fflush(stdout);
            shown.push_back(figures.shown);
            coloured.push_back(figures.coloured);
            stall.push_back(figures.longestStall);
        }
        std::printf(
            "%-18s medians: shown %6.0f ms, all coloured %6.0f ms, longest stall %5.0f ms\n",
            page.name, Median(shown), Median(coloured), Median(stall));
    }
    const std::string large =
        "<html><body>" + quorvane::bench::GeneratedBody(64'000'000, 20'000, "\r\n") + "</html>";
    std::vector<double> next;
    for (int run = 0; run < runs; ++run) {
        next.push_back(NextPageAfter(*view, large));
        std::printf("next page after 64 MB run %d: %6.1f ms of the window's time\n", run + 1,
                    next.back());
        std::fflush(stdout);
    }
    std::printf("next page after 64 MB median: %6.1f ms of the window's time\n", Median(next));
    frame->Destroy();
    return 0;
}
