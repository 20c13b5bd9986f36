// How closely the generated views follow the Browser view, in the real main window: the
// time from the end of the Browser view's load (the load whose end starts the analysis)
// until the Source Code view, and then both generated views, have finished loading the
// new files; until the Source Code view, shown at that moment, has laid its page out; and
// the longest time the window's event loop could not answer meanwhile, with the CPU time
// the window's thread worked in it and the most it worked in any one stall (a stall of little
// work was spent waiting, for a core, for another process or for a stopped processor), and
// each stall over 50 ms with when it began. Then the same
// page with the Original Source view shown: from the Browser view's load end until the
// served text is on screen (its first screen coloured) and until all of it is coloured,
// with the longest stall meanwhile. Then, with each generated view shown while the page
// loads, the time until its first screen is on the screen, and the memory of all the
// program's processes at start. Then "Enter → Original Source first screen" on pages whose
// 500 pictures each take 2 s to arrive, beside a bare WebKit view's load end of the same page
// (bench/source_before_pictures.h).
// The pages come from a server on 127.0.0.1 of the benchmark's own. Run it on a display
// of its own:
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/views_bench [--runs N] [--pages 1m,5m]
//       [--measures first,views,served,early]
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/generated_page.h"
#include "bench/process_memory.h"
#include "bench/source_before_pictures.h"
#include "bench/stall_meter.h"
#include "engine/address_to_load.h"
#include "inspection/gui/served_source_view.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/gui_session.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_driver.h"

namespace {

using quorvane::bench::Clock;
using quorvane::bench::Milliseconds;
using quorvane::bench::StallMeter;
// How long one run may take before the benchmark gives up.
constexpr int kRunMinutes = 30;
using quorvane::MainFrame;
using quorvane::MainWindowController;
using quorvane::test::HttpTestServer;
using quorvane::test::LoadClock;
using quorvane::test::MainWindowDriver;

// One page measured: a short key to choose it by, where it is, a text its analysis must
// hold, and how many pictures its Images view shows.
struct BenchPage {
    std::string key;
    std::string name;
    std::string address;
    std::string marker;
    std::size_t pictures;
};

// Milliseconds from the end of the Browser view's load, and the longest stall meanwhile.
struct RunFigures {
    double sourceLoaded;
    double bothLoaded;
    double sourceShown;
    double longestStall;
    double longestStallCpu;  // the window thread's CPU time in the longest stall
    double mostStallCpu;     // and the most it used in any one stall
    double longestRunning;   // the longest with the times its processor stood still taken out
};

// When the view, just shown, has laid out what it loaded at its real width: the engine
// can count text matches in a page only once it has laid it out, so the answer to a count
// asked for once GTK has given the view its size comes no sooner. Loading may end before
// the engine lays a page out, and the program has no reason to tell when it does: this is
// the benchmark's one use of the engine itself.
Clock::time_point LaidOutBy(
    wxWebView* view, const char* word = "body", const std::function<void()>& meanwhile = [] {}) {
    auto* native = static_cast<WebKitWebView*>(view->GetNativeBackend());
    quorvane::test::WaitUntil(
        [&] { return gtk_widget_get_allocated_width(GTK_WIDGET(native)) > 1; });
    WebKitFindController* find = webkit_web_view_get_find_controller(native);
    bool answered = false;
    const gulong handler = g_signal_connect(
        find, "counted-matches", G_CALLBACK(+[](WebKitFindController*, guint, gpointer answered) {
            *static_cast<bool*>(answered) = true;
        }),
        &answered);
    // Every generated source page begins with the body's start tag.
    webkit_find_controller_count_matches(find, word, WEBKIT_FIND_OPTIONS_NONE, 1);
    quorvane::test::WaitUntil(
        [&] {
            meanwhile();
            return answered;
        },
        std::chrono::minutes(kRunMinutes));
    g_signal_handler_disconnect(find, handler);
    return Clock::now();
}

// The small page each run starts from. After a huge page the views' engines may be busy with
// it for long on a loaded machine: that is the run before, not the one measured.
bool ShowBlankPage(MainWindowDriver& driver, const std::string& blank) {
    driver.TypeAddressAndPressEnter(blank);
    return quorvane::test::WaitUntil(
        [&] { return driver.WaitForAnalysedPage(blank, "marker-blank"); },
        std::chrono::minutes(kRunMinutes));
}

// One run: a small page first, so that every file and view must change, then the page
// measured, typed into the address box while the Browser view is shown.
std::optional<RunFigures> MeasureRun(MainWindowDriver& driver, const std::string& blank,
                                     const BenchPage& page) {
    if (!ShowBlankPage(driver, blank)) {
        return std::nullopt;
    }
    LoadClock clock(driver.Frame(),
                    {page.address, quorvane::AddressToLoad(driver.WorkFile("/source.htm")),
                     quorvane::AddressToLoad(driver.WorkFile("/imagepage.html"))});
    StallMeter stalls;
    driver.TypeAddressAndPressEnter(page.address);
    if (!quorvane::test::WaitUntil([&] { return clock.BothViewsLoaded(); },
                                   std::chrono::minutes(kRunMinutes))) {
        return std::nullopt;
    }
    // The user switches to the Source Code view as soon as it is there.
    driver.Frame().Controller().SelectView(1);
    const auto laidOut = LaidOutBy(driver.Frame().Element(1).Window());
    const RunFigures figures{Milliseconds(clock.End(1) - clock.End(0)),
                             Milliseconds(std::max(clock.End(1), clock.End(2)) - clock.End(0)),
                             Milliseconds(laidOut - clock.End(0)),
                             stalls.LongestMs(),
                             stalls.LongestCpuMs(),
                             stalls.MostCpuMs(),
                             stalls.LongestRunningMs()};
    stalls.Stop();
    PrintStalls(stalls, clock.End(0));
    driver.Frame().Controller().SelectView(0);
    // Only now, off the clock, is the outcome read: the views hold this page's analysis.
    const bool right =
        driver.ReadWorkFile("/source.htm").find(page.marker) != std::string::npos &&
        driver.Frame().Controller().Lists().imageTags.addresses.size() == page.pictures &&
        driver.ViewsShowTheWorkFiles();
    return right ? std::optional(figures) : std::nullopt;
}

// The pictures of a view's place on the screen as they change, and when each came; the
// page's scroll bar is left out, as the first screen of a page is a shorter page.
class ScreenWatch {
  public:
    ScreenWatch(MainWindowDriver& driver, int view) : driver_(driver), view_(view) {}
    void Look() {
        const auto now = Clock::now();
        if (!seen_.empty() && now - lastLook_ < std::chrono::milliseconds(10)) {
            return;
        }
        lastLook_ = now;
        const std::size_t picture = std::hash<std::string>{}(driver_.Picture(view_, 40));
        if (seen_.empty() || seen_.back().second != picture) {
            seen_.emplace_back(now, picture);
        }
    }
    // When the screen first showed what it shows last.
    Clock::time_point FirstShowingTheLast() const {
        for (const auto& [when, picture] : seen_) {
            if (picture == seen_.back().second) {
                return when;
            }
        }
        return Clock::now();
    }

  private:
    MainWindowDriver& driver_;
    int view_;
    Clock::time_point lastLook_;
    std::vector<std::pair<Clock::time_point, std::size_t>> seen_;
};

// The user is on a generated view while the page loads. From the end of the Browser view's
// load until the screen in the view's place first shows what it shows once the engine has
// laid the whole page out: what the user sees, not a search through the page.
std::optional<double> MeasureFirstScreen(MainWindowDriver& driver, const std::string& blank,
                                         const BenchPage& page, int view) {
    driver.Frame().Controller().SelectView(view);
    if (!ShowBlankPage(driver, blank)) {
        return std::nullopt;
    }
    const std::string viewFile = view == 1 ? "/source.htm" : "/imagepage.html";
    std::array<std::string, 3> addresses{page.address, "", ""};
    addresses[view] = quorvane::AddressToLoad(driver.WorkFile(viewFile));
    LoadClock clock(driver.Frame(), addresses);
    driver.TypeAddressAndPressEnter(page.address);
    if (!quorvane::test::WaitUntil([&] { return clock.BrowserViewLoaded(); },
                                   std::chrono::minutes(kRunMinutes))) {
        return std::nullopt;
    }
    ScreenWatch screen(driver, view);
    // Until the view has loaded the new page, the page it lays out is the one before.
    if (!quorvane::test::WaitUntil(
            [&] {
                screen.Look();
                return clock.Loaded(view);
            },
            std::chrono::minutes(kRunMinutes))) {
        return std::nullopt;
    }
    // The Images page shows each picture's address under it.
    LaidOutBy(driver.Frame().Element(view).Window(), view == 1 ? "body" : "http",
              [&] { screen.Look(); });
    // The first screen gives way to the whole page once the engine has drawn it.
    quorvane::test::WaitUntil(
        [&] {
            screen.Look();
            return false;
        },
        std::chrono::seconds(1));
    driver.Frame().Controller().SelectView(0);
    return Milliseconds(screen.FirstShowingTheLast() - clock.End(0));
}

// Milliseconds from the end of the Browser view's load for the Original Source view.
struct ServedFigures {
    double shown;
    double coloured;
    double longestStall;
};

// One run with the Original Source view shown: a small page first, then the page measured.
std::optional<ServedFigures> MeasureServedSourceRun(MainWindowDriver& driver,
                                                    const std::string& blank,
                                                    const BenchPage& page) {
    MainFrame& frame = driver.Frame();
    quorvane::ServedSourceView& view = frame.ServedSource();
    frame.Controller().SelectView(MainWindowController::kServedSourceView);
    driver.TypeAddressAndPressEnter(blank);
    if (!quorvane::test::WaitUntil(
            [&] { return view.PageAddress() == blank && view.Complete(); })) {
        return std::nullopt;
    }
    LoadClock clock(frame, {page.address, "", ""});
    std::optional<Clock::time_point> shown;
    const auto onPaint = [&](wxStyledTextEvent& event) {
        if (!shown && view.PageAddress() == page.address) {
            shown = Clock::now();
        }
        event.Skip();
    };
    view.Bind(wxEVT_STC_PAINTED, onPaint);
    StallMeter stalls;
    driver.TypeAddressAndPressEnter(page.address);
    const bool done =
        quorvane::test::WaitUntil([&] { return shown && view.GetEndStyled() >= view.GetLength(); },
                                  std::chrono::minutes(kRunMinutes));
    const auto coloured = Clock::now();
    view.Unbind(wxEVT_STC_PAINTED, onPaint);
    if (!done || !clock.BrowserViewLoaded() ||
        view.ShownText().find(page.marker) == std::string_view::npos) {
        return std::nullopt;
    }
    return ServedFigures{Milliseconds(*shown - clock.End(0)), Milliseconds(coloured - clock.End(0)),
                         stalls.LongestMs()};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string LoadAverage() {
    std::string first, second, third;
    std::ifstream("/proc/loadavg") >> first >> second >> third;
    return first + " " + second + " " + third;
}

// The generated pages with their pictures (a 1x1 GIF each), and the small page between runs.
std::vector<BenchPage> ServePages(HttpTestServer& server) {
    const std::string gif = quorvane::bench::OnePixelGif();
    server.Serve("/blank.html", "text/html", "<html><body>marker-blank</body></html>");
    std::vector<BenchPage> pages{
        {"start", "start page", MainWindowDriver::HomePageAddress(), "home-browser.svg", 3}};
    const struct {
        const char* key;
        const char* name;
        std::size_t size;
        int pictures;
        const char* lineBreak;
    } generated[] = {{"100k", "100 KB, 50 pictures", 100'000, 50, "\r\n"},
                     {"1m", "1 MB, 500 pictures", 1'000'000, 500, "\r\n"},
                     {"5m", "5 MB, 2000 pictures", 5'000'000, 2000, "\r\n"},
                     {"5m-line", "5 MB on one line", 5'000'000, 2000, " "},
                     {"20m", "20 MB, 10 000 pictures", 20'000'000, 10'000, "\r\n"}};
    for (const auto& page : generated) {
        const std::string path = std::string("/bench/") + page.key + ".html";
        server.Serve(path, "text/html",
                     "<html><head><title>Views benchmark</title></head>" +
                         quorvane::bench::GeneratedBody(page.size, page.pictures, page.lineBreak) +
                         "</html>");
        pages.push_back({page.key, page.name, server.Url(path),
                         "photo" + std::to_string(page.pictures - 1) + ".gif",
                         static_cast<std::size_t>(page.pictures)});
    }
    for (int i = 0; i < generated[std::size(generated) - 1].pictures; ++i) {
        server.Serve("/bench/pics/photo" + std::to_string(i) + ".gif", "image/gif", gif);
    }
    return pages;
}

struct Options {
    int runs = 5;
    std::string pages = "start,100k,1m,5m,5m-line,20m";
    std::string measures = "first,views,served,early";
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--runs") {
            options.runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (name == "--pages") {
            options.pages = argv[i + 1];
        } else if (name == "--measures") {
            options.measures = argv[i + 1];
        }
    }
    return options;
}

bool InList(const std::string& list, const std::string& key) {
    return ("," + list + ",").find("," + key + ",") != std::string::npos;
}

// Runs one page options.runs times, printing each run as it ends; gives its line of
// medians, or nothing when a run did not end.
// Runs the page options.runs times with the Original Source view shown; its line of
// medians, or nothing when a run did not end.
std::optional<std::string> MeasureServedSource(MainWindowDriver& driver, HttpTestServer& server,
                                               const BenchPage& page, int runs) {
    std::vector<double> shown, coloured, stall;
    for (int run = 1; run <= runs; ++run) {
        const auto figures = MeasureServedSourceRun(driver, server.Url("/blank.html"), page);
        if (!figures) {
            std::printf("%s, run %d: the Original Source view did not show the page\n",
                        page.name.c_str(), run);
            return std::nullopt;
        }
        std::printf(
            "%-24s run %d: Original Source shown %6.0f ms, all coloured %6.0f ms, "
            "longest stall %4.0f ms\n",
            page.name.c_str(), run, figures->shown, figures->coloured, figures->longestStall);
        std::fflush(stdout);
        shown.push_back(figures->shown);
        coloured.push_back(figures->coloured);
        stall.push_back(figures->longestStall);
    }
    driver.Frame().Controller().SelectView(MainWindowController::kBrowserView);
    char line[200];
    std::snprintf(line, sizeof line, "%-24s %11.0f ms %11.0f ms %9.0f / %.0f ms", page.name.c_str(),
                  Median(shown), Median(coloured), Median(stall),
                  *std::max_element(stall.begin(), stall.end()));
    return line;
}

std::optional<std::string> MeasurePage(MainWindowDriver& driver, HttpTestServer& server,
                                       const BenchPage& page, int runs) {
    // A generated view makes its engine the first time it is shown, and only then loads
    // the pages it is sent to: both are shown once, as a user who has used them has.
    for (const int view : {1, 2, 0}) {
        driver.Frame().Controller().SelectView(view);
    }
    std::vector<double> loaded, both, laidOut, stall, running, work;
    for (int run = 1; run <= runs; ++run) {
        const auto figures = MeasureRun(driver, server.Url("/blank.html"), page);
        if (!figures) {
            std::printf("%s, run %d: the views did not show the page within %d minutes\n",
                        page.name.c_str(), run, kRunMinutes);
            return std::nullopt;
        }
        std::printf(
            "%-24s run %d: Source Code view loaded %6.0f ms, both views loaded %6.0f "
            "ms, Source Code view shown %6.0f ms, longest stall %4.0f ms (CPU %.0f ms; most CPU "
            "in a stall %.0f ms; with its processor running %.0f ms)\n",
            page.name.c_str(), run, figures->sourceLoaded, figures->bothLoaded,
            figures->sourceShown, figures->longestStall, figures->longestStallCpu,
            figures->mostStallCpu, figures->longestRunning);
        std::fflush(stdout);
        loaded.push_back(figures->sourceLoaded);
        both.push_back(figures->bothLoaded);
        laidOut.push_back(figures->sourceShown);
        stall.push_back(figures->longestStall);
        running.push_back(figures->longestRunning);
        work.push_back(figures->mostStallCpu);
    }
    char line[240];
    std::snprintf(line, sizeof line,
                  "%-24s %11.0f ms %11.0f ms %11.0f ms %9.0f / %.0f ms %14.0f / %.0f ms %13.0f / "
                  "%.0f ms",
                  page.name.c_str(), Median(loaded), Median(both), Median(laidOut), Median(stall),
                  *std::max_element(stall.begin(), stall.end()), Median(running),
                  *std::max_element(running.begin(), running.end()), Median(work),
                  *std::max_element(work.begin(), work.end()));
    return line;
}

// The first screen of both generated views, one line each for scripts.
bool MeasureFirstScreens(MainWindowDriver& driver, HttpTestServer& server, const BenchPage& page,
                         int runs, std::vector<std::string>& lines) {
    for (const auto& [view, name] : {std::pair{1, "source"}, std::pair{2, "images"}}) {
        std::vector<double> shown;
        for (int run = 1; run <= runs; ++run) {
            const auto figure = MeasureFirstScreen(driver, server.Url("/blank.html"), page, view);
            if (!figure) {
                std::printf("%s, run %d: the %s view did not show the page\n", page.name.c_str(),
                            run, name);
                return false;
            }
            shown.push_back(*figure);
        }
        char line[200];
        std::snprintf(line, sizeof line, "first screen shown: %s %s %.0f ms", page.key.c_str(),
                      name, Median(shown));
        std::printf("%s\n", line);
        std::fflush(stdout);
        lines.push_back(line);
    }
    return true;
}

void PrintStartUpMemory() {
    const quorvane::bench::ProcessMemory memory = quorvane::bench::MemoryOfAllProcesses();
    std::printf(
        "start-up memory of all processes: peak %.0f MB, settled %.0f MB resident, %.0f MB "
        "proportional, %d processes\n",
        memory.peakMb, memory.residentMb, memory.proportionalMb, memory.processes);
}

// Runs every chosen page and prints the medians at the end.
bool RunBenchmark(MainWindowDriver& driver, HttpTestServer& server, const Options& options) {
    const std::vector<BenchPage> pages = ServePages(server);
    std::printf("views_bench: %d runs per page, load average %s\n", options.runs,
                LoadAverage().c_str());
    std::vector<std::string> table;
    std::vector<std::string> servedTable;
    std::vector<std::string> firstScreens;
    for (const BenchPage& page : pages) {
        if (!InList(options.pages, page.key)) {
            continue;
        }
        if (InList(options.measures, "first") &&
            !MeasureFirstScreens(driver, server, page, options.runs, firstScreens)) {
            return false;
        }
        if (InList(options.measures, "views")) {
            const std::optional<std::string> medians =
                MeasurePage(driver, server, page, options.runs);
            if (!medians) {
                return false;
            }
            table.push_back(*medians);
        }
        if (InList(options.measures, "served")) {
            const std::optional<std::string> served =
                MeasureServedSource(driver, server, page, options.runs);
            if (!served) {
                return false;
            }
            servedTable.push_back(*served);
        }
    }
    std::printf(
        "\nMedians of %d runs in ms from the end of the Browser view's load, the Images "
        "view hidden (then the longest stall with the times its processor stood still taken "
        "out, and the most the window's thread worked in one stall):\n%-24s %14s %14s %14s %20s "
        "%20s %20s\n",
        options.runs, "page", "Source loaded", "both loaded", "Source shown",
        "longest stall (median / worst)", "processor running", "window's work");
    for (const std::string& line : table) {
        std::printf("%s\n", line.c_str());
    }
    std::printf(
        "\nThe Original Source view shown, medians of %d runs in ms from the same end:\n"
        "%-24s %14s %14s %20s\n",
        options.runs, "page", "shown", "all coloured", "longest stall (median / worst)");
    for (const std::string& line : servedTable) {
        std::printf("%s\n", line.c_str());
    }
    std::printf("\nEach generated view shown while the page loads, medians of %d runs:\n",
                options.runs);
    for (const std::string& line : firstScreens) {
        std::printf("%s\n", line.c_str());
    }
    if (InList(options.measures, "early")) {
        const auto early = quorvane::bench::MeasureSourceBeforePictures(
            driver, server, options.pages, options.runs);
        if (!early) {
            return false;
        }
        std::printf(
            "\nEnter → Original Source first screen, 500 pictures each 2 s on their way, "
            "medians of %d runs in ms from Enter:\n%-26s %13s %15s %15s %13s %10s\n",
            options.runs, "page", "last byte", "first screen", "after last byte", "bare WebKit",
            "still loading");
        for (const std::string& line : *early) {
            std::printf("%s\n", line.c_str());
        }
    }
    std::printf("load average at the end %s\n", LoadAverage().c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::test::GuiSession session(argc, argv);
    if (!session.Started()) {
        std::fprintf(stderr, "views_bench: the windows cannot start (is there a display?)\n");
        return 2;
    }
    const Options options = ReadOptions(argc, argv);
    HttpTestServer server;
    MainWindowDriver driver;
    const auto workFolder = quorvane::test::FreshTempFolder("views-bench");
    // As a user starts it: the generated views are first shown by the runs below.
    const bool opened = driver.Open(workFolder, MainWindowDriver::Views::AsAtStart);
    if (opened) {
        // Settled: the start page analysed and shown, and a moment for the engine to rest.
        quorvane::test::PumpEvents(std::chrono::seconds(3));
        PrintStartUpMemory();
    }
    const bool done = opened && RunBenchmark(driver, server, options);
    driver.Close();
    std::filesystem::remove_all(workFolder);
    return done ? 0 : 1;
}
