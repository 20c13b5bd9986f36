// Home and End in the real window, one rule a view: the Original Source view is a text,
// where Home and End go to the start and the end of the line and Ctrl+Home and Ctrl+End to
// those of the text, as in the desktop's text views; the web views scroll to the top and
// the bottom with Home and End, as browsers do; the Image List goes to its first and last
// line, as the desktop's lists do.
#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/webview.h>

#include <webkit2/webkit2.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "image_list/gui/image_list_view.h"
#include "inspection/gui/served_source_view.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

using HomeEndEndToEnd = MainWindowEndToEnd;

constexpr auto kDeadline = std::chrono::seconds(30);
constexpr int kLines = 300;
// Wider than a page's scroll bar.
constexpr int kScrollBarStrip = 40;

// Lines without indentation, so that the start of a line is where its text starts, and
// no end of line after the last, so that the last line has text too.
std::string LongPage(const std::string& marker) {
    std::string page = "<!DOCTYPE html><html><body><p>" + marker + "</p>\n";
    for (int n = 0; n < kLines; ++n) {
        page += "<p>line " + std::to_string(n) + "</p><img src=\"http://127.0.0.1:1/" +
                std::to_string(n) + ".png\">\n";
    }
    return page + "</body></html>";
}

bool Shows(MainFrame& frame, int view) {
    return frame.Controller().VisibleView() == view;
}

TEST_F(HomeEndEndToEnd, OriginalSourceGoesToTheLinesEndsAndWithCtrlToTheTextsEnds) {
    server_.Serve("/home-end/source.html", "text/html", LongPage("marker-source-keys"));
    TypeAddressAndPressEnter(server_.Url("/home-end/source.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/home-end/source.html"), "marker-source-keys"));
    TypeKeys("ctrl+4");
    ServedSourceView& view = frame_->ServedSource();
    ASSERT_TRUE(WaitUntil(
        [&] {
            return Shows(*frame_, MainWindowController::kServedSourceView) && view.Complete() &&
                   view.GetLineCount() > kLines && wxWindow::FindFocus() == &view;
        },
        kDeadline));
    const int middle = kLines / 2;
    view.GotoPos(view.PositionFromLine(middle) + 3);
    const int last = view.GetLineCount() - 1;
    const struct {
        const char* keys;
        std::function<int()> caret;
    } rows[] = {
        {"End", [&] { return view.GetLineEndPosition(middle); }},
        {"Home", [&] { return view.PositionFromLine(middle); }},
        {"ctrl+End", [&] { return view.GetLength(); }},
        {"Home", [&] { return view.PositionFromLine(last); }},
        {"ctrl+Home", [] { return 0; }},
        {"End", [&] { return view.GetLineEndPosition(0); }},
    };
    for (const auto& row : rows) {
        TypeKeys(row.keys);
        EXPECT_TRUE(WaitUntil([&] { return view.GetCurrentPos() == row.caret(); }, kDeadline))
            << row.keys << ": the caret is at " << view.GetCurrentPos() << ", not " << row.caret();
    }
    // The text is no longer at its end after Ctrl+Home: the caret is shown where it went.
    EXPECT_EQ(view.GetFirstVisibleLine(), 0);
}

// Where the Browser view's page is scrolled: "top", "bottom" or how far from the top.
std::string BrowserScroll(MainFrame& frame) {
    return EvaluateInBrowserView(
        frame,
        "scrollY === 0 ? 'top' : Math.abs(scrollY - (document.documentElement.scrollHeight - "
        "innerHeight)) < 1 ? 'bottom' : String(scrollY)");
}

// The visible part of the view's page as the engine paints it now, apart from what the
// screen shows: empty if the engine gave no picture within the deadline.
std::string EnginePicture(MainFrame& frame, int view) {
    struct Answer {
        bool done = false;
        std::string pixels;
    };
    const auto answer = std::make_shared<Answer>();
    webkit_web_view_get_snapshot(
        static_cast<WebKitWebView*>(frame.Element(view).Window()->GetNativeBackend()),
        WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr,
        [](GObject* engine, GAsyncResult* result, gpointer data) {
            const std::unique_ptr<std::shared_ptr<Answer>> answer(
                static_cast<std::shared_ptr<Answer>*>(data));
            if (cairo_surface_t* picture =
                    webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(engine), result, nullptr)) {
                cairo_surface_flush(picture);
                const auto* bytes =
                    reinterpret_cast<const char*>(cairo_image_surface_get_data(picture));
                if (bytes != nullptr) {
                    (*answer)->pixels.assign(bytes, static_cast<std::size_t>(
                                                        cairo_image_surface_get_stride(picture)) *
                                                        cairo_image_surface_get_height(picture));
                }
                cairo_surface_destroy(picture);
            }
            (*answer)->done = true;
        },
        new std::shared_ptr<Answer>(answer));
    WaitUntil([&] { return answer->done; }, kDeadline);
    return answer->pixels;
}

// Each key is checked twice: the engine must have moved the page (its own picture of what
// is visible, which the page need not run script for: the Source Code view runs none), and
// the screen must then show it, once the view has drawn, but for the scroll bar, which
// shows itself a while after each scroll. Ctrl+End and Ctrl+Home, which the window hands
// the engine as its commands to scroll to the end and the beginning, show what those look
// like. The engine scrolls smoothly by default, over many frames, two of which in a row may
// look alike mid-way: here it scrolls in one step. The screen is read without asking the
// engine for pictures meanwhile: under load, a view asked for one picture after another
// went on showing the page where it was before a key for as long as the asking lasted.
class WebViewHomeEnd : public MainWindowEndToEnd {
  protected:
    void LoadLongPage() {
        std::string page = "<!DOCTYPE html><html><body><p>marker-web-keys</p>\n";
        for (int n = 0; n < kLines; ++n) {
            page += "<p>line " + std::to_string(n) + "</p>\n";
        }
        server_.Serve("/home-end/web.html", "text/html", page + "</body></html>");
        TypeAddressAndPressEnter(server_.Url("/home-end/web.html"));
        ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/home-end/web.html"), "marker-web-keys"));
    }

    // The engine's picture once two in a row are alike and unlike from.
    std::string EngineSettled(int view, const std::string& from) {
        std::string now;
        const bool settled = WaitUntil(
            [&] {
                const std::string before = std::exchange(now, EnginePicture(*frame_, view));
                return !now.empty() && now == before && now != from;
            },
            kDeadline);
        return settled ? now : std::string();
    }

    // The screen's picture of the view once GTK has drawn it again.
    std::string DrawnPicture(int view) {
        auto* widget = GTK_WIDGET(frame_->Element(view).Window()->GetNativeBackend());
        bool drawn = false;
        const gulong watch = g_signal_connect_after(
            widget, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer drawnFlag) {
                *static_cast<bool*>(drawnFlag) = true;
                return FALSE;
            }),
            &drawn);
        gtk_widget_queue_draw(widget);
        const bool shown = WaitUntil([&] { return drawn; }, kDeadline);
        g_signal_handler_disconnect(widget, watch);
        return shown ? Picture(view, kScrollBarStrip) : std::string();
    }

    void ScrollsWithTheKeys(const int view) {
        SCOPED_TRACE("view " + std::to_string(view));
        auto* engine =
            static_cast<WebKitWebView*>(frame_->Element(view).Window()->GetNativeBackend());
        webkit_settings_set_enable_smooth_scrolling(webkit_web_view_get_settings(engine), FALSE);
        TypeKeys("ctrl+" + std::to_string(view + 1));
        ASSERT_TRUE(WaitUntil(
            [&] {
                // The Source Code view loads its file once first shown.
                return Shows(*frame_, view) &&
                       (view == 0 || ViewShowsTheWorkFile(view, "/source.htm")) &&
                       !EngineLoading(view) && DrawsSomething(view) &&
                       wxWindow::FindFocus() == frame_->Element(view).Window();
            },
            kDeadline));
        std::string shown;
        const auto settled = [&] {
            const std::string before = std::exchange(shown, DrawnPicture(view));
            return !shown.empty() && shown == before;
        };
        const std::string engineTop = EngineSettled(view, {});
        ASSERT_FALSE(engineTop.empty());
        ASSERT_TRUE(WaitUntil(settled, kDeadline));
        const std::string first = shown;

        TypeKeys("ctrl+End");
        const std::string engineBottom = EngineSettled(view, engineTop);
        ASSERT_FALSE(engineBottom.empty()) << "Ctrl+End did not move the page";
        ASSERT_TRUE(WaitUntil([&] { return settled() && shown != first; }, kDeadline))
            << "the screen did not follow Ctrl+End";
        const std::string bottom = shown;

        TypeKeys("ctrl+Home");
        ASSERT_TRUE(WaitUntil([&] { return EnginePicture(*frame_, view) == engineTop; }, kDeadline))
            << "Ctrl+Home did not move the page to the top";
        ASSERT_TRUE(WaitUntil([&] { return settled() && shown != bottom; }, kDeadline))
            << "the screen did not follow Ctrl+Home";
        const std::string top = shown;

        TypeKeys("End");
        EXPECT_TRUE(
            WaitUntil([&] { return EnginePicture(*frame_, view) == engineBottom; }, kDeadline))
            << "End did not move the page to the bottom";
        EXPECT_TRUE(WaitUntil([&] { return settled() && shown == bottom; }, kDeadline))
            << "the screen did not follow End";
        if (view == 0) {
            EXPECT_EQ(BrowserScroll(*frame_), "bottom");
        }
        TypeKeys("Home");
        EXPECT_TRUE(WaitUntil([&] { return EnginePicture(*frame_, view) == engineTop; }, kDeadline))
            << "Home did not move the page to the top";
        EXPECT_TRUE(WaitUntil([&] { return settled() && shown == top; }, kDeadline))
            << "the screen did not follow Home";
        if (view == 0) {
            EXPECT_EQ(BrowserScroll(*frame_), "top");
        }
    }
};

TEST_F(WebViewHomeEnd, BrowserViewScrollsToTheTopAndTheBottom) {
    LoadLongPage();
    ScrollsWithTheKeys(0);
}

TEST_F(WebViewHomeEnd, SourceCodeViewScrollsToTheTopAndTheBottom) {
    LoadLongPage();
    ScrollsWithTheKeys(1);
}

wxListCtrl* ImageListLines(MainFrame& frame) {
    for (wxWindow* child : frame.ImageList().GetChildren()) {
        if (auto* lines = wxDynamicCast(child, wxListCtrl)) {
            return lines;
        }
    }
    return nullptr;
}

TEST_F(HomeEndEndToEnd, ImageListGoesToItsFirstAndLastLine) {
    server_.Serve("/home-end/list.html", "text/html", LongPage("marker-list-keys"));
    TypeAddressAndPressEnter(server_.Url("/home-end/list.html"));
    ASSERT_TRUE(WaitUntil([&] { return frame_->ImageList().ShownLines() == kLines; },
                          std::chrono::minutes(2)))
        << frame_->ImageList().ShownLines() << " lines";
    wxListCtrl* lines = ImageListLines(*frame_);
    ASSERT_NE(lines, nullptr);
    TypeKeys("ctrl+5");
    ASSERT_TRUE(WaitUntil([&] { return frame_->ImageList().ListHasKeyboard(); }, kDeadline));
    const auto current = [&] {
        return lines->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    };
    TypeKeys("End");
    EXPECT_TRUE(WaitUntil([&] { return current() == kLines - 1; }, kDeadline)) << current();
    EXPECT_GT(lines->GetTopItem(), 0);
    TypeKeys("Home");
    EXPECT_TRUE(WaitUntil([&] { return current() == 0; }, kDeadline)) << current();
    EXPECT_EQ(lines->GetTopItem(), 0);
}

}  // namespace
}  // namespace quorvane::test
