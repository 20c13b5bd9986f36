// How fast the Image List fills: a Browser view on the real engine and the list's table
// beside it, against pages of 50, 500, 10 000 and 50 000 images (half <img>, a quarter CSS
// backgrounds, a quarter lazy data-src) from a server on 127.0.0.1. It prints, per run
// and as medians, when the first row was on screen after Enter and after the gatherer's first
// report (sent once the document is parsed), the time from the Browser view's load end until the
// table shows every image with its natural size (and the CPU time the window's thread worked
// meanwhile; the rest of the time it waits for the gatherer's reports), then until it has every
// image's bytes too, the longest time the event loop could not answer from the load's start on, and
// the most CPU time the window's thread used in one such time (which a loaded machine does not
// change). With
// --fetch-only every image's bytes are fetched again, as if the engine kept no copy. Run it on a
// display of its own. With --time-line each run also prints when each of the gatherer's reports
// came, with the rows and sized rows it brought, and when the files' facts came (the first, every
// thousandth and the last), and each stall over 50 ms with the CPU time the window's thread
// used in it, its wait for a processor, and how long that processor stood still, counted
// from the load's end. Last comes a page of 500 pictures that never answer (the server holds them
// back): when its rows were on screen, counted from the first report, and when the list was
// complete, every row on screen and every picture measured or given up.
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/image_list_bench [--runs N]
//       [--images N] [--fetch-only] [--time-line] [--answering-only]
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/address_scheme.h"
#include "base/ordered_worker.h"
#include "bench/stall_meter.h"
#include "desktop/gui/idle_steps.h"
#include "desktop/program_folder.h"
#include "engine/gui/webview_browser_element.h"
#include "image_list/gui/image_list_view.h"
#include "image_list/image_facts_reader.h"
#include "image_list/image_report_reader.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/gui_session.h"
#include "tests/e2e/http_test_server.h"

namespace {

using quorvane::bench::Clock;
using quorvane::bench::Milliseconds;

// A 2 × 2 GIF: every image of the pages is this file under an address of its own.
const std::string kGif(
    "GIF89a\x02\x00\x02\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
    "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x02\x00\x02\x00"
    "\x00\x02\x02\x84\x51\x00;",
    43);

class LoadEnds : public quorvane::BrowserEvents {
  public:
    int loads = 0;
    Clock::time_point lastEnd;
    double lastEndWorkMs = 0;
    const quorvane::bench::StallMeter* meter = nullptr;  // whose clock tells the window's work
    void StatusTextChange(int, const std::string&) override {}
    void ProgressChange(int, std::int32_t, std::int32_t) override {}
    void LoadFinished(int) override {
        ++loads;
        lastEnd = Clock::now();
        lastEndWorkMs = meter != nullptr ? meter->WorkMs() : 0;
    }
    void TitleChange(int, const std::string&) override {}
    void NewWindowRequested(int, const std::string&, bool) override {}
};

// The address of picture n of a page: each page's are its own, so that the rows of the
// page before are never taken for its.
std::string PictureOf(const std::string& page, int n) {
    return "/i/" + page + "-" + std::to_string(n) + ".gif";
}

std::string PageOf(int images, const std::string& page) {
    std::string css = "<style>";
    std::string body;
    const auto address = [&page](int n) { return PictureOf(page, n); };
    for (int n = 0; n < images; ++n) {
        if (n % 2 == 0) {
            body += "<img src=\"" + address(n) + "\" alt=\"" + std::to_string(n) + "\">";
        } else if (n % 4 == 1) {
            css += ".b" + std::to_string(n) + "{background-image:url(" + address(n) + ")}";
            body += "<div class=\"b" + std::to_string(n) + "\">.</div>";
        } else {
            body += "<div data-src=\"" + address(n) + "\">lazy</div>";
        }
    }
    return "<!DOCTYPE html><html><head>" + css + "</style></head><body>" + body + "</body></html>";
}

std::size_t SizedRows(const quorvane::ImageListTable& table) {
    const auto& rows = table.List().Rows();
    return static_cast<std::size_t>(std::count_if(
        rows.begin(), rows.end(), [](const auto& row) { return row.naturalWidth > 0; }));
}

// When each report and each thousandth fact came, in milliseconds from the load's start.
class TimeLine {
  public:
    void Start() {
        start_ = Clock::now();
        lines_.clear();
        facts_ = 0;
    }
    void Report(const quorvane::ImageListTable& table) {
        lines_.push_back({Since(), true, table.List().Rows().size(), SizedRows(table)});
    }
    void Fact() {
        if (++facts_ == 1 || facts_ % 1000 == 0) {
            lines_.push_back({Since(), false, facts_, 0});
        }
    }
    // Prints the lines, the times counted from loadEnd.
    void Print(Clock::time_point loadEnd) const {
        const double offset = Milliseconds(loadEnd - start_);
        for (const Line& line : lines_) {
            if (line.report) {
                std::printf("    %7.0f ms report: %6zu rows, %6zu sized\n", line.ms - offset,
                            line.count, line.sized);
            } else {
                std::printf("    %7.0f ms facts:  %6zu\n", line.ms - offset, line.count);
            }
        }
        std::printf("    %zu facts in all\n", facts_);
    }

  private:
    struct Line {
        double ms;
        bool report;  // else facts
        std::size_t count;
        std::size_t sized;
    };
    double Since() const { return Milliseconds(Clock::now() - start_); }

    Clock::time_point start_;
    std::vector<Line> lines_;
    std::size_t facts_ = 0;
};

// An engine that keeps no copy of what its page loaded: every image is fetched.
class NoCopies : public quorvane::ResourceCopies {
  public:
    void ReadCopy(const std::string&, CopyDone done) override { done(std::nullopt); }
    void AwaitLoad(const std::string&, std::chrono::milliseconds, LoadEnded ended) override {
        ended(false);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Whether the view shows rows and the table's are those of page, not of the page before.
bool ShowsRowsOf(const quorvane::ImageListTable& table, const quorvane::ImageListView& view,
                 const std::string& page) {
    const auto& rows = table.List().Rows();
    return view.ShownLines() > 0 && !rows.empty() &&
           rows.front().address.find(PictureOf(page, 0)) != std::string::npos;
}

bool AllSized(const quorvane::ImageListTable& table, std::size_t images) {
    const auto& rows = table.List().Rows();
    return rows.size() == images && std::all_of(rows.begin(), rows.end(), [](const auto& row) {
               return row.naturalWidth > 0;
           });
}

bool AllRead(const quorvane::ImageListTable& table) {
    const auto& rows = table.List().Rows();
    return std::all_of(rows.begin(), rows.end(), [](const auto& row) { return row.bytes; });
}

// When Enter was pressed and when the gatherer's first report of the page came, which it
// sends once the document is parsed.
class FirstRows {
  public:
    void Start() {
        enter_ = Clock::now();
        report_.reset();
    }
    void Reported() {
        if (!report_) {
            report_ = Clock::now();
        }
    }
    double SinceEnter() const { return Milliseconds(Clock::now() - enter_); }
    double SinceReport() const { return Milliseconds(Clock::now() - report_.value_or(enter_)); }

  private:
    Clock::time_point enter_;
    std::optional<Clock::time_point> report_;
};

bool HasArgument(int argc, char** argv, const std::string& argument) {
    return std::find(argv + 1, argv + argc, argument) != argv + argc;
}

// The number after option, or 0 when it is not given.
int OptionValue(int argc, char** argv, const std::string& option) {
    const auto found = std::find(argv + 1, argv + argc, option);
    return found != argv + argc && found + 1 != argv + argc ? std::atoi(*(found + 1)) : 0;
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::test::GuiSession session(argc, argv);
    if (!session.Started()) {
        std::fprintf(stderr, "image_list_bench: no display\n");
        return 2;
    }
    const int runs = OptionValue(argc, argv, "--runs") > 0 ? OptionValue(argc, argv, "--runs") : 5;
    const bool fetchOnly = HasArgument(argc, argv, "--fetch-only");
    const bool timeLine = HasArgument(argc, argv, "--time-line");
    TimeLine line;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1400, 900));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    LoadEnds events;
    quorvane::ImageListTable table;
    auto element = std::make_unique<quorvane::WebViewBrowserElement>(
        frame, 0, quorvane::WebViewBrowserElement::Kind::Browser, events,
        quorvane::ProgramFolder() + "/home.html");
    // The list without its commands and thumbnails: what is measured is filling it.
    auto* view = new quorvane::ImageListView(
        frame, table,
        {[] {}, [](const std::string&) {}, [](const std::string&) {},
         [](std::vector<std::size_t>, bool) {}, [](const std::string&) { return std::string(); }});
    NoCopies noCopies;
    // As the Image List's keeper lets go of the list of the page before.
    quorvane::OrderedWorker forgetting(
        [frame](std::function<void()> step) { frame->CallAfter(std::move(step)); });
    quorvane::IdleSteps idleSteps;
    auto facts = std::make_unique<quorvane::ImageFactsReader>(
        fetchOnly ? static_cast<quorvane::ResourceCopies&>(noCopies) : *element, *element,
        [&idleSteps](std::function<void()> step) { idleSteps.Post(std::move(step)); },
        [](const std::string& address) { return quorvane::IsWebAddress(address); },
        [&](const std::string& address, quorvane::ImageFacts found) {
            table.SetFacts(address, std::move(found));
            view->TableChanged();
            line.Fact();
        },
        [frame](std::function<void()> step) { frame->CallAfter(std::move(step)); });
    // As the Image List's keeper reads the reports, beside the window.
    quorvane::ImageReportReader reports(
        [&](quorvane::ImageReport read) {
            const auto changed = table.Accept(std::move(read));
            line.Report(table);
            view->TableChanged();
            facts->SetGathering(table.List().PageGathering());
            if (changed) {
                facts->Want(table.List().Rows(), *changed);
            } else {
                facts->Want(table.List().Rows());
            }
        },
        [frame](std::function<void()> step) { frame->CallAfter(std::move(step)); });
    FirstRows first;
    element->WatchImages(
        [&](std::string report) {
            first.Reported();
            reports.Add(std::move(report));
        },
        [&] {
            reports.Clear();
            facts->Clear();
            forgetting.Post([before = table.Clear()] { return std::function<void()>(); });
            view->TableChanged();
        });
    sizer->Add(element->Window(), 1, wxEXPAND);
    sizer->Add(view, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->Show();
    quorvane::test::PumpEvents(std::chrono::milliseconds(500));

    quorvane::test::HttpTestServer server;
    const std::vector<int> counts = OptionValue(argc, argv, "--images") > 0
                                        ? std::vector<int>{OptionValue(argc, argv, "--images")}
                                        : std::vector<int>{50, 500, 10'000, 50'000};
    for (const int images : counts) {
        std::vector<double> filled, read, stall, cpu, running, firstRow, firstRowAfterReport;
        for (int run = 0; run < runs; ++run) {
            const std::string page = std::to_string(images) + "-" + std::to_string(run);
            for (int n = 0; n < images; ++n) {
                server.Serve(PictureOf(page, n), "image/gif", kGif);
            }
            const std::string path = "/p" + page;
            server.Serve(path, "text/html", PageOf(images, page));
            const int loads = events.loads;
            quorvane::bench::StallMeter stalls;
            events.meter = &stalls;
            line.Start();
            first.Start();
            element->Navigate(server.Url(path));
            quorvane::test::WaitUntil([&] { return ShowsRowsOf(table, *view, page); },
                                      std::chrono::minutes(5));
            firstRow.push_back(first.SinceEnter());
            firstRowAfterReport.push_back(first.SinceReport());
            // A page of 50 000 pictures from this server loads for minutes.
            quorvane::test::WaitUntil([&] { return events.loads > loads; },
                                      std::chrono::minutes(30));
            quorvane::test::WaitUntil(
                [&] {
                    return AllSized(table, static_cast<std::size_t>(images)) &&
                           view->ShownLines() == static_cast<std::size_t>(images);
                },
                std::chrono::minutes(5));
            const double ms = std::max(0.0, Milliseconds(Clock::now() - events.lastEnd));
            const double fillCpuMs = stalls.WorkMs() - events.lastEndWorkMs;
            filled.push_back(ms);
            quorvane::test::WaitUntil([&] { return AllRead(table); }, std::chrono::minutes(5));
            read.push_back(std::max(0.0, Milliseconds(Clock::now() - events.lastEnd)));
            stall.push_back(stalls.LongestMs());
            cpu.push_back(stalls.MostCpuMs());
            running.push_back(stalls.LongestRunningMs());
            std::printf(
                "%6d images run %d: first row on screen %5.0f ms after Enter, %5.0f ms after "
                "the first report\n",
                images, run + 1, firstRow.back(), firstRowAfterReport.back());
            std::printf(
                "%6d images run %d: full list with sizes %7.0f ms (the window's thread busy %.0f "
                "ms of it), with bytes %7.0f ms, longest stall %5.0f ms (%3.0f ms CPU; %3.0f ms "
                "with its processor running), most CPU in a stall %3.0f ms%s\n",
                images, run + 1, ms, fillCpuMs, read.back(), stall.back(), stalls.LongestCpuMs(),
                running.back(), cpu.back(),
                AllSized(table, static_cast<std::size_t>(images)) && AllRead(table)
                    ? ""
                    : " (incomplete)");
            if (timeLine) {
                line.Print(events.lastEnd);
                PrintStalls(stalls, events.lastEnd);
            }
            std::fflush(stdout);
            events.meter = nullptr;
        }
        std::printf(
            "%6d images medians%s: full list with sizes %7.0f ms, with bytes %7.0f ms, longest "
            "stall %5.0f ms (worst %.0f; with its processor running %.0f, worst %.0f), most CPU "
            "in a stall %3.0f ms\n",
            images, fetchOnly ? " (fetched)" : "", Median(filled), Median(read), Median(stall),
            *std::max_element(stall.begin(), stall.end()), Median(running),
            *std::max_element(running.begin(), running.end()), Median(cpu));
        std::printf(
            "%6d images medians: first row on screen %5.0f ms after Enter, %5.0f ms after "
            "the first report\n",
            images, Median(firstRow), Median(firstRowAfterReport));
    }
    const auto complete = [&](const std::string& page, std::size_t images) {
        return ShowsRowsOf(table, *view, page) && table.List().Rows().size() == images &&
               view->ShownLines() == images && !table.List().PageMeasuring();
    };
    std::vector<double> shown, done;
    for (int run = 0; run < runs && !HasArgument(argc, argv, "--answering-only"); ++run) {
        constexpr int kImages = 500;
        const std::string page = "never-" + std::to_string(run);
        for (int n = 0; n < kImages; ++n) {
            server.ServeHeldBack(std::chrono::minutes(10), PictureOf(page, n), "image/gif", kGif);
        }
        server.Serve("/" + page, "text/html", PageOf(kImages, page));
        first.Start();
        element->Navigate(server.Url("/" + page));
        quorvane::test::WaitUntil(
            [&] { return ShowsRowsOf(table, *view, page) && view->ShownLines() == kImages; },
            std::chrono::minutes(5));
        shown.push_back(first.SinceReport());
        quorvane::test::WaitUntil([&] { return complete(page, kImages); }, std::chrono::minutes(5));
        done.push_back(first.SinceReport());
        std::printf(
            "never answering run %d: %d rows on screen %5.0f ms after the first report, "
            "the list complete %5.0f ms after it%s\n",
            run + 1, kImages, shown.back(), done.back(),
            complete(page, kImages) ? "" : " (incomplete)");
        std::fflush(stdout);
        server.ReleaseHeldBack();
    }
    if (!shown.empty()) {
        std::printf(
            "never answering medians: rows on screen %5.0f ms after the first report, "
            "the list complete %5.0f ms after it\n",
            Median(shown), Median(done));
    }
    facts.reset();
    element.reset();
    frame->Destroy();
    return 0;
}
