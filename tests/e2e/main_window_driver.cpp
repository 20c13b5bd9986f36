#include "tests/e2e/main_window_driver.h"

#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

#include "analysis/work_files.h"
#include "branding/branding_values.h"
#include "branding/gui/show_help_setting.h"
#include "desktop/program_folder.h"
#include "engine/address_to_load.h"
#include "tests/e2e/event_pump.h"

namespace quorvane::test {

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path FreshTempFolder(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("quorvane-e2e-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

bool MainWindowDriver::Open(const std::filesystem::path& workFolder, Views views) {
    LoadBrandingValues();
    // The Help window is not what the driver looks at.
    ShowHelpSetting(branding.productName).Write("0");
    workFolder_ = workFolder;
    frame_ =
        new MainFrame(nullptr, WorkFolder::ForRun(workFolder_.string(), workFolder_ / "copies"));
    frame_->Load();
    frame_->Show();
    if (views == Views::EachShownOnce) {
        for (const int view : {MainWindowController::kSourceView, MainWindowController::kImagesView,
                               MainWindowController::kBrowserView}) {
            frame_->Controller().SelectView(view);
        }
    }
    return WaitForAnalysedPage(HomePageAddress(), "home-browser.svg");
}

void MainWindowDriver::Close() {
    if (frame_ != nullptr) {
        // The window lets go of its work folder only once it has been deleted.
        DestroyAndWait(std::exchange(frame_, nullptr));
    }
}

std::string MainWindowDriver::HomePageAddress() {
    return AddressToLoad(ProgramFolder() + "/home.html");
}

void MainWindowDriver::TypeAddressAndPressEnter(const std::string& address) {
    frame_->SetAddressText(address);
    frame_->Controller().EnterInAddressBox();
}

std::string MainWindowDriver::WorkFile(const std::string& name) const {
    return WorkFilePath(workFolder_.string(), name);
}

std::string MainWindowDriver::ReadWorkFile(const std::string& name) const {
    return ReadFileBytes(WorkFile(name));
}

std::string MainWindowDriver::PageSource(int index) const {
    return frame_->Element(index).Window()->GetPageSource().utf8_string();
}

// The element says it is busy only once its engine has begun the load, a moment after it
// was asked; the engine says it has a load to do from the moment it is asked.
bool MainWindowDriver::WaitForElementAt(int index, const std::string& address) {
    return WaitUntil([&] {
        WebViewBrowserElement& element = frame_->Element(index);
        return element.Address() == address && !element.Busy() && !EngineLoading(index);
    });
}

bool MainWindowDriver::EngineLoading(int index) const {
    const wxWebView* view = frame_->Element(index).Window();
    return view != nullptr &&
           webkit_web_view_is_loading(static_cast<WebKitWebView*>(view->GetNativeBackend()));
}

bool MainWindowDriver::ViewsShowTheWorkFiles() const {
    return ViewShowsTheWorkFile(1, "/source.htm") && ViewShowsTheWorkFile(2, "/imagepage.html");
}

// A view without its engine yet loads its file when it is first shown.
bool MainWindowDriver::ViewShowsTheWorkFile(int index, const std::string& name) const {
    const WebViewBrowserElement& view = frame_->Element(index);
    if (view.Address() != AddressToLoad(WorkFile(name))) {
        return false;
    }
    return view.Window() == nullptr || (!view.Busy() && PageSource(index) == ReadWorkFile(name));
}

// What the display shows in the element's place, read back from the X server.
bool MainWindowDriver::DrawsSomething(int index) const {
    const wxRect place = frame_->Element(index).Window()->GetScreenRect();
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), place.x, place.y,
                                                 place.width, place.height);
    if (shot == nullptr) {
        return false;
    }
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* pixels = gdk_pixbuf_get_pixels(shot);
    bool drawn = false;
    for (int y = 0; y < place.height && !drawn; ++y) {
        const guchar* row = pixels + y * stride;
        drawn = std::find_if(row, row + channels * place.width, [](guchar value) {
                    return value != 255;
                }) != row + channels * place.width;
    }
    g_object_unref(shot);
    return drawn;
}

std::string MainWindowDriver::Picture(int index, int leftOutOnTheRight) const {
    const wxRect place = frame_->Element(index).Window()->GetScreenRect();
    GdkPixbuf* shot =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), place.x, place.y,
                                   std::max(1, place.width - leftOutOnTheRight), place.height);
    if (shot == nullptr) {
        return {};
    }
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const auto* pixels = reinterpret_cast<const char*>(gdk_pixbuf_get_pixels(shot));
    std::string picture(pixels, pixels + static_cast<std::size_t>(stride) * place.height);
    g_object_unref(shot);
    return picture;
}

bool MainWindowDriver::WaitUntilLaidOut(int index, std::chrono::milliseconds timeout) const {
    // Shared with the answer, which may come after the wait has given up.
    const auto answered = std::make_shared<bool>(false);
    webkit_web_view_get_snapshot(
        static_cast<WebKitWebView*>(frame_->Element(index).Window()->GetNativeBackend()),
        WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr,
        [](GObject* view, GAsyncResult* result, gpointer data) {
            const std::unique_ptr<std::shared_ptr<bool>> answer(
                static_cast<std::shared_ptr<bool>*>(data));
            if (cairo_surface_t* picture =
                    webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(view), result, nullptr)) {
                cairo_surface_destroy(picture);
            }
            **answer = true;
        },
        new std::shared_ptr<bool>(answered));
    return WaitUntil([&] { return *answered; }, timeout);
}

// The engine has drawn what it laid out before it answers for the snapshot, and the view
// draws what the engine drew on the window's next frame.
std::optional<std::string> MainWindowDriver::SettledPicture(int index,
                                                            int leftOutOnTheRight) const {
    if (!WaitUntilLaidOut(index, std::chrono::minutes(1))) {
        return std::nullopt;
    }
    auto* view = GTK_WIDGET(frame_->Element(index).Window()->GetNativeBackend());
    bool drawn = false;
    const gulong watch = g_signal_connect_after(
        view, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer drawnFlag) {
            *static_cast<bool*>(drawnFlag) = true;
            return FALSE;
        }),
        &drawn);
    gtk_widget_queue_draw(view);
    const bool shown = WaitUntil([&] { return drawn; });
    g_signal_handler_disconnect(view, watch);
    if (!shown) {
        return std::nullopt;
    }
    return Picture(index, leftOutOnTheRight);
}

bool MainWindowDriver::WaitForAnalysedPage(const std::string& address, const std::string& marker) {
    return WaitForElementAt(0, address) && WaitUntil([&] {
               return ReadWorkFile("/source.htm").find(marker) != std::string::npos &&
                      ViewsShowTheWorkFiles();
           });
}

std::optional<std::string> MainWindowDriver::CaptureBrowserBody() {
    bool done = false;
    std::optional<std::string> body;
    frame_->Element(0).CaptureBodyHtml([&](std::optional<std::string> html) {
        body = std::move(html);
        done = true;
    });
    if (!WaitUntil([&] { return done; })) {
        return std::nullopt;
    }
    return body;
}

std::string EvaluateInBrowserView(MainFrame& frame, const std::string& script) {
    return EvaluateInView(frame, 0, script);
}

std::string EvaluateInView(MainFrame& frame, int index, const std::string& script) {
    struct Answer {
        bool done = false;
        std::string text;
    } answer;
    auto* view = static_cast<WebKitWebView*>(frame.Element(index).Window()->GetNativeBackend());
    webkit_web_view_evaluate_javascript(
        view, script.c_str(), -1, nullptr, nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* answer = static_cast<Answer*>(data);
            if (JSCValue* value = webkit_web_view_evaluate_javascript_finish(
                    WEBKIT_WEB_VIEW(source), result, nullptr)) {
                gchar* text = jsc_value_to_string(value);
                answer->text = text;
                g_free(text);
                g_object_unref(value);
            }
            answer->done = true;
        },
        &answer);
    WaitUntil([&] { return answer.done; });
    return answer.text;
}

}  // namespace quorvane::test
