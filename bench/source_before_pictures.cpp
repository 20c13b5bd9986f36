#include "bench/source_before_pictures.h"

#include <webkit2/webkit2.h>
#include <wx/frame.h>
#include <wx/webview.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "bench/generated_page.h"
#include "bench/stall_meter.h"
#include "inspection/gui/served_source_view.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/http_test_server.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_driver.h"

namespace quorvane::bench {
namespace {

using test::HttpTestServer;
using test::MainWindowDriver;

constexpr int kPictures = 500;
constexpr std::chrono::seconds kPictureWait{2};
constexpr std::chrono::minutes kRunWait{30};

struct SlowPage {
    const char* key;
    const char* name;
    std::size_t size;
};
constexpr SlowPage kPages[] = {{"1m", "1 MB, 500 slow pictures", 1'000'000},
                               {"5m", "5 MB, 500 slow pictures", 5'000'000},
                               {"20m", "20 MB, 500 slow pictures", 20'000'000}};

// Serves the page under a folder of its own, with pictures of its own, each held back: no
// picture of one run comes from the engine's cache in the next.
std::string ServeFresh(HttpTestServer& server, const std::string& folder, const SlowPage& page,
                       const std::string& body) {
    const std::string path = folder + page.key + ".html";
    server.Serve(path, "text/html", body);
    const std::string gif = OnePixelGif();
    for (int i = 0; i < kPictures; ++i) {
        server.ServeHeldBack(kPictureWait, folder + "pics/photo" + std::to_string(i) + ".gif",
                             "image/gif", gif);
    }
    return server.Url(path);
}

// When the engine of view has the last byte of the page it loads next: the end of its main
// resource, heard from the engine itself.
class MainResourceClock {
  public:
    explicit MainResourceClock(wxWebView* view)
        : native_(static_cast<WebKitWebView*>(view->GetNativeBackend())) {
        startedId_ =
            g_signal_connect(native_, "resource-load-started", G_CALLBACK(&OnStarted), this);
    }
    ~MainResourceClock() {
        g_signal_handler_disconnect(native_, startedId_);
        if (resource_ != nullptr) {
            g_signal_handler_disconnect(resource_, finishedId_);
            g_object_unref(resource_);
        }
    }
    MainResourceClock(const MainResourceClock&) = delete;
    MainResourceClock& operator=(const MainResourceClock&) = delete;
    const std::optional<Clock::time_point>& Finished() const { return finished_; }

  private:
    static void OnStarted(WebKitWebView* view, WebKitWebResource* resource, WebKitURIRequest*,
                          gpointer self) {
        auto* clock = static_cast<MainResourceClock*>(self);
        if (clock->resource_ != nullptr || resource != webkit_web_view_get_main_resource(view)) {
            return;
        }
        clock->resource_ = WEBKIT_WEB_RESOURCE(g_object_ref(resource));
        clock->finishedId_ = g_signal_connect(resource, "finished", G_CALLBACK(&OnFinished), self);
    }
    static void OnFinished(WebKitWebResource*, gpointer self) {
        static_cast<MainResourceClock*>(self)->finished_ = Clock::now();
    }

    WebKitWebView* native_;
    gulong startedId_ = 0;
    WebKitWebResource* resource_ = nullptr;
    gulong finishedId_ = 0;
    std::optional<Clock::time_point> finished_;
};

struct RunFigures {
    double lastByte;  // from Enter; negative when the engine did not say
    double firstScreen;
    bool stillLoading;  // the Browser view's load had not ended at the first screen
};

double Since(const std::optional<Clock::time_point>& when, Clock::time_point from) {
    return when ? Milliseconds(*when - from) : -1;
}

std::optional<RunFigures> MeasureRun(MainWindowDriver& driver, const std::string& blank,
                                     const std::string& address) {
    MainFrame& frame = driver.Frame();
    ServedSourceView& view = frame.ServedSource();
    frame.Controller().SelectView(MainWindowController::kServedSourceView);
    driver.TypeAddressAndPressEnter(blank);
    if (!test::WaitUntil([&] { return view.PageAddress() == blank && view.Complete(); },
                         kRunWait)) {
        return std::nullopt;
    }
    test::LoadClock load(frame, {address, "", ""});
    MainResourceClock bytes(frame.Element(0).Window());
    std::optional<Clock::time_point> shown;
    bool stillLoading = false;
    const auto onPaint = [&](wxStyledTextEvent& event) {
        if (!shown && view.PageAddress() == address) {
            shown = Clock::now();
            stillLoading = !load.BrowserViewLoaded();
        }
        event.Skip();
    };
    view.Bind(wxEVT_STC_PAINTED, onPaint);
    const auto entered = Clock::now();
    driver.TypeAddressAndPressEnter(address);
    const bool done = test::WaitUntil([&] { return shown.has_value(); }, kRunWait);
    view.Unbind(wxEVT_STC_PAINTED, onPaint);
    const std::string lastPicture = "photo" + std::to_string(kPictures - 1) + ".gif";
    const bool right = done && test::WaitUntil([&] { return view.Complete(); }) &&
                       view.ShownText().find(lastPicture) != std::string_view::npos;
    const RunFigures figures{Since(bytes.Finished(), entered), Milliseconds(*shown - entered),
                             stillLoading};
    // The pictures still on their way are not the bare view's to wait behind.
    driver.TypeAddressAndPressEnter(blank);
    test::WaitUntil([&] { return view.PageAddress() == blank && view.Complete(); }, kRunWait);
    return right ? std::optional(figures) : std::nullopt;
}

// A WebKit view of its own in a window of its own, as bare as the engine comes: the time
// from the start of its load of address to the load's end.
std::optional<double> BareLoadEnd(const std::string& address) {
    auto* window =
        new wxFrame(nullptr, wxID_ANY, "Bare WebKit view", wxDefaultPosition, wxSize(1024, 768));
    wxWebView* view = wxWebView::New(window, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxWebViewBackendWebKit);
    window->Show();
    // The empty page wxWidgets loads as the view is made ends first.
    test::WaitUntil([&] { return !view->IsBusy(); });
    auto* native = static_cast<WebKitWebView*>(view->GetNativeBackend());
    struct Watch {
        std::string address;
        bool ended = false;
    } watch{address};
    const gulong handler = g_signal_connect(
        native, "load-changed", G_CALLBACK(+[](WebKitWebView* loading, int event, gpointer data) {
            auto* watched = static_cast<Watch*>(data);
            const char* uri = webkit_web_view_get_uri(loading);
            if (event == WEBKIT_LOAD_FINISHED && uri != nullptr && watched->address == uri) {
                watched->ended = true;
            }
        }),
        &watch);
    const auto started = Clock::now();
    view->LoadURL(wxString::FromUTF8(address));
    const bool ended = test::WaitUntil([&] { return watch.ended; }, kRunWait);
    const auto end = Clock::now();
    g_signal_handler_disconnect(native, handler);
    window->Destroy();
    return ended ? std::optional(Milliseconds(end - started)) : std::nullopt;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool InList(const std::string& list, const std::string& key) {
    return ("," + list + ",").find("," + key + ",") != std::string::npos;
}

// Runs one page; its line of medians.
std::optional<std::string> MeasurePage(MainWindowDriver& driver, HttpTestServer& server,
                                       const SlowPage& page, int runs) {
    const std::string body = "<html><head><title>Views benchmark</title></head>" +
                             GeneratedBody(page.size, kPictures) + "</html>";
    std::vector<double> lastByte, firstScreen, bare;
    int stillLoading = 0;
    for (int run = 1; run <= runs; ++run) {
        const std::string folder = "/slow/" + std::to_string(run) + "/";
        const auto figures = MeasureRun(driver, server.Url("/blank.html"),
                                        ServeFresh(server, folder + "program/", page, body));
        const auto bareEnd = BareLoadEnd(ServeFresh(server, folder + "bare/", page, body));
        if (!figures || !bareEnd) {
            std::printf("%s, run %d: the page did not show\n", page.name, run);
            return std::nullopt;
        }
        std::printf(
            "%-26s run %d: last byte %6.0f ms, Original Source first screen %7.0f ms (%s), bare "
            "WebKit view's load end %7.0f ms\n",
            page.name, run, figures->lastByte, figures->firstScreen,
            figures->stillLoading ? "the page still loading" : "the page loaded", *bareEnd);
        std::fflush(stdout);
        lastByte.push_back(figures->lastByte);
        firstScreen.push_back(figures->firstScreen);
        bare.push_back(*bareEnd);
        stillLoading += figures->stillLoading ? 1 : 0;
    }
    char line[240];
    std::snprintf(line, sizeof line, "%-26s %10.0f ms %12.0f ms %12.0f ms %10.0f ms %6d of %d",
                  page.name, Median(lastByte), Median(firstScreen),
                  Median(firstScreen) - Median(lastByte), Median(bare), stillLoading, runs);
    return line;
}

}  // namespace

std::optional<std::vector<std::string>> MeasureSourceBeforePictures(MainWindowDriver& driver,
                                                                    HttpTestServer& server,
                                                                    const std::string& pageKeys,
                                                                    int runs) {
    std::vector<std::string> lines;
    for (const SlowPage& page : kPages) {
        if (!InList(pageKeys, page.key)) {
            continue;
        }
        const std::optional<std::string> line = MeasurePage(driver, server, page, runs);
        if (!line) {
            return std::nullopt;
        }
        lines.push_back(*line);
    }
    driver.Frame().Controller().SelectView(MainWindowController::kBrowserView);
    return lines;
}

}  // namespace quorvane::bench
