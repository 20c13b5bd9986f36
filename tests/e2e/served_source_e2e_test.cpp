// The Original Source view end to end: the real window and engine, pages served from
// 127.0.0.1, the save dialog answered with xdotool.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "desktop/user_folders.h"
#include "inspection/gui/served_source_view.h"
#include "inspection/shown_lines.h"
#include "main_window/gui/find_bar.h"
#include "tests/e2e/dialog_user.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/load_clock.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class ServedSourceEndToEnd : public MainWindowEndToEnd {
  protected:
    ServedSourceView& Served() { return frame_->ServedSource(); }
    bool ShowsText(const std::string& part) {
        return WaitUntil([&] {
            return Served().Complete() && Served().ShownText().find(part) != std::string_view::npos;
        });
    }
    std::size_t Requests(const std::string& path) const {
        const auto paths = server_.RequestedPaths();
        return std::count(paths.begin(), paths.end(), path);
    }
    // Runs "Save Source…" and takes the dialog's suggestion with Enter, as a user does once
    // the dialog shows it; waits until file is there.
    void SaveSourceAs(const fs::path& file) {
        std::thread user([&] {
            const DialogUser user("Save Source");
            EXPECT_TRUE(user.WaitUntilShown() && user.WaitForText(file.filename().string()) &&
                        user.Do("key Return"));
            EXPECT_TRUE(user.WaitUntilGone()) << "the save dialog stayed open";
        });
        frame_->Controller().SaveSource();
        EXPECT_TRUE(WaitUntil([&] { return fs::exists(file); })) << file;
        user.join();
    }
};

TEST_F(ServedSourceEndToEnd, ShowsThePageAsServedBeforeItsScriptRewroteIt) {
    const std::string page =
        "<html><head><title>Served</title><meta name=\"marker-head\"></head>\n"
        "<body><p>marker-served</p><a href=\"next.html\">next</a>\n"
        "<script>document.body.innerHTML = '<p>marker-' + 'rewritten</p>';</script>\n"
        "</body></html>\n";
    server_.Serve("/served/page.html", "text/html", page);
    TypeAddressAndPressEnter(server_.Url("/served/page.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/served/page.html"), "marker-rewritten"));
    EXPECT_EQ(ReadWorkFile("/source.htm").find("marker-served"), std::string::npos);

    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    ASSERT_TRUE(ShowsText("marker-served"));
    EXPECT_EQ(Served().ShownText(), page);
    EXPECT_EQ(Requests("/served/page.html"), 1u);

    // Find in the view: an expression, a whole word, a bad expression and one too costly for
    // the page said beside it, and a search afterwards as before.
    const struct {
        const char* text;
        SourceFindOptions options;
        const char* status;
    } rows[] = {
        {"marker-\\w+", {.regularExpression = true}, "1 of 2"},
        {"next", {.wholeWord = true}, "1 of 2"},
        {"nex", {.wholeWord = true}, "Not found"},
        {"marker-(", {.regularExpression = true}, "Bad expression: missing terminating )"},
        {"(.|.)*\\d", {.regularExpression = true}, "The expression is too costly for this page"},
        {"marker-served", {}, "1 of 1"},
    };
    for (const auto& row : rows) {
        frame_->Controller().Find(row.text, row.options);
        EXPECT_EQ(frame_->FindBarControl()->Status(), row.status) << row.text;
    }
    EXPECT_EQ(Requests("/served/page.html"), 1u);
}

// A page whose pictures the server holds back: its source is shown while the Browser view
// still loads, panel 1 says so until the load ends, and the view keeps the text then.
TEST_F(ServedSourceEndToEnd, ShowsThePageWhileItsPicturesAreOnTheirWay) {
    std::string page = "<html><head><title>Held</title></head>\n<body><p>marker-held</p>\n";
    for (int i = 0; i < 3; ++i) {
        const std::string name = "pic" + std::to_string(i) + ".gif";
        server_.ServeHeldBack(std::chrono::minutes(5), "/held/" + name, "image/gif", "GIF89a");
        page += "<img src=\"" + name + "\">\n";
    }
    page += "</body></html>\n";
    server_.Serve("/held/page.html", "text/html", page);
    const std::string note = "Page still loading: the source shown is complete";
    const auto statusText = [&] { return frame_->GetStatusBar()->GetStatusText(0).utf8_string(); };
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    LoadClock load(*frame_, {server_.Url("/held/page.html"), "", ""});
    TypeAddressAndPressEnter(server_.Url("/held/page.html"));

    ASSERT_TRUE(ShowsText("marker-held"));
    EXPECT_FALSE(load.BrowserViewLoaded());
    EXPECT_EQ(Served().ShownText(), page);
    EXPECT_EQ(statusText(), note);
    // The pictures are what the load waits for (the engine asks for a few at a time).
    EXPECT_TRUE(WaitUntil([&] { return server_.HeldBack() > 0; }));
    EXPECT_FALSE(load.BrowserViewLoaded());

    server_.ReleaseHeldBack();
    ASSERT_TRUE(WaitUntil([&] { return load.BrowserViewLoaded(); }));
    EXPECT_TRUE(WaitUntil([&] { return statusText() != note; })) << statusText();
    EXPECT_EQ(Served().PageAddress(), server_.Url("/held/page.html"));
    EXPECT_EQ(Served().ShownText(), page);
    EXPECT_EQ(Requests("/held/page.html"), 1u);
}

// A link whose value makes no address at all ("http://a;") is named, and the program
// goes on; so is a script link. Neither is loaded.
TEST_F(ServedSourceEndToEnd, AClickOnALinkThatMakesNoAddressNamesIt) {
    const std::string page =
        "<html><body><p>marker-unusable</p>\n<a href=\"http://a;\">unusable</a>\n"
        "<a href=\"javascript:alert(1)\">script</a>\n</body></html>\n";
    server_.Serve("/served/unusable.html", "text/html", page);
    TypeAddressAndPressEnter(server_.Url("/served/unusable.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/served/unusable.html"), "marker-unusable"));
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    ASSERT_TRUE(ShowsText("marker-unusable"));
    const auto statusText = [&] { return frame_->GetStatusBar()->GetStatusText(0).utf8_string(); };
    for (const char* value : {"http://a;", "javascript:alert(1)"}) {
        const std::string said = std::string("Not opened: ") + value + " is not a web address";
        const int at = static_cast<int>(Served().ShownText().find(value)) + 3;
        const wxPoint point = Served().ClientToScreen(Served().PointFromPosition(at)) +
                              wxPoint(0, Served().TextHeight(0) / 2);
        // The view underlines its links once it has drawn them: the first click may come
        // before that.
        EXPECT_TRUE(WaitUntil(
            [&] {
                AsAUser("xdotool mousemove " + std::to_string(point.x) + " " +
                        std::to_string(point.y) + " click 1");
                return WaitUntil([&] { return statusText() == said; }, std::chrono::seconds(2));
            },
            std::chrono::seconds(60)))
            << value << ": " << statusText();
    }
    EXPECT_EQ(frame_->Element(0).Address(), server_.Url("/served/unusable.html"));
}

// A line longer than a piece of the view, cut inside the "&amp;" of its link: a click on
// the piece after the cut follows the address the source holds, "&" and all.
TEST_F(ServedSourceEndToEnd, ALinkCutOverTwoPiecesFollowsItsDecodedAddress) {
    const std::string query = "/long/next.html?" + std::string(kMaxShownLineBytes - 27, 'x');
    server_.Serve("/long/page.html", "text/html", "<a href=\"" + query + "&amp;b=2\">next</a>");
    server_.Serve("/long/next.html", "text/html", "<p>marker-next</p>");
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    TypeAddressAndPressEnter(server_.Url("/long/page.html"));
    ASSERT_TRUE(ShowsText("\nmp;b=2")) << "the cut falls inside &amp;";

    wxStyledTextEvent click(wxEVT_STC_INDICATOR_CLICK, Served().GetId());
    click.SetPosition(static_cast<int>(Served().ShownText().find("\nmp;b=2") + 2));
    click.SetEventObject(&Served());
    Served().GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(WaitForElementAt(0, server_.Url(query + "&b=2")));
}

TEST_F(ServedSourceEndToEnd, SaveSourceWritesTheBytesAsServed) {
    const fs::path folder = UserHomeFolder() / "served-source-e2e";
    fs::remove_all(folder);
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    const struct {
        const char* path;
        const char* contentType;
        std::string bytes;
        const char* shown;  // how the view reads them
    } rows[] = {
        {"/saved/latin.html", "text/html; charset=windows-1252",
         "<html><body><p>marker-latin caf\xE9 \x80 5</p></body></html>",
         "marker-latin caf\xC3\xA9 \xE2\x82\xAC 5"},
        {"/saved/bom.html", "text/html",
         "\xEF\xBB\xBF<html><body><p>marker-bom na\xC3\xAFve</p></body></html>",
         "marker-bom na\xC3\xAFve"},
    };
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    for (const auto& row : rows) {
        server_.Serve(row.path, row.contentType, row.bytes);
        TypeAddressAndPressEnter(server_.Url(row.path));
        ASSERT_TRUE(ShowsText(row.shown)) << row.path;
        const fs::path file = folder / fs::path(row.path).filename();
        SaveSourceAs(file);
        EXPECT_EQ(ReadFileBytes(file), row.bytes) << row.path;
        EXPECT_EQ(Requests(row.path), 1u) << row.path;
    }
    unsetenv("XDG_DOWNLOAD_DIR");
    fs::remove_all(folder);
}

// Each page is read as the engine reads it: the view shows the characters the engine
// shows, whatever label names the encoding, and a label browsers refuse is passed over.
TEST_F(ServedSourceEndToEnd, ReadsEachPageInTheEncodingTheEngineReadsItIn) {
    const struct {
        const char* path;
        const char* contentType;
        const char* head;   // ASCII markup before the paragraph
        std::string bytes;  // the paragraph's text as served
        std::string text;   // and as it must be shown, in UTF-8
    } rows[] = {
        // "한국어 갂": the last is one of the Windows code page's own syllables.
        {"/charset/korean.html", "text/html; charset=ks_c_5601-1987", "<html><body>",
         "marker-korean \xC7\xD1\xB1\xB9\xBE\xEE \x81\x41",
         "marker-korean \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 \xEA\xB0\x82"},
        // "€ “Şğı”": windows-1254 has the euro and the quotes ISO-8859-9 has not.
        {"/charset/turkish.html", "text/html", "<html><head><meta charset=\"iso-8859-9\"></head>",
         "marker-turkish \x80 \x93\xDE\xF0\xFD\x94",
         "marker-turkish \xE2\x82\xAC \xE2\x80\x9C\xC5\x9E\xC4\x9F\xC4\xB1\xE2\x80\x9D"},
        // "日本語 ①": the circled digit is one of the NEC rows.
        {"/charset/japanese.html", "text/html",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">",
         "marker-japanese \x93\xFA\x96\x7B\x8C\xEA \x87\x40",
         "marker-japanese \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xE2\x91\xA0"},
        // "日本": a bogus label and one with a stray quote name nothing; the third counts.
        {"/charset/prescan.html", "text/html",
         "<meta charset=\"bogus\"><meta charset=iso8859-2\"><meta charset=x-euc-jp>",
         "marker-prescan \xC6\xFC\xCB\xDC", "marker-prescan \xE6\x97\xA5\xE6\x9C\xAC"},
        // utf-7 is refused: the page's own meta decides, and no tag appears from "+ADw-".
        {"/charset/utf7.html", "text/html; charset=utf-7", "<meta charset=windows-1252>",
         "marker-utf7 +ADw-script+AD4-alert(1)+ADw-/script+AD4- caf\xE9",
         "marker-utf7 +ADw-script+AD4-alert(1)+ADw-/script+AD4- caf\xC3\xA9"},
        {"/charset/utf7-only.html", "text/html; charset=utf-7", "<html><body>",
         "marker-utf7-only +ADw-b+AD4-bold+ADw-/b+AD4-",
         "marker-utf7-only +ADw-b+AD4-bold+ADw-/b+AD4-"},
    };
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    for (const auto& row : rows) {
        const std::string paragraph = "<p id=\"shown\">";
        server_.Serve(row.path, row.contentType, row.head + paragraph + row.bytes + "</p>\n");
        TypeAddressAndPressEnter(server_.Url(row.path));
        ASSERT_TRUE(ShowsText(row.text)) << row.path << ": " << Served().ShownText();
        EXPECT_EQ(Served().ShownText(), row.head + paragraph + row.text + "</p>\n") << row.path;
        EXPECT_EQ(Served().ShownText().find("<script"), std::string_view::npos) << row.path;
        // The engine's own reading of the same bytes.
        const std::string engineText = "document.getElementById('shown').textContent";
        EXPECT_TRUE(WaitUntil([&] {
            return EvaluateInBrowserView(*frame_, engineText) == row.text;
        })) << row.path
            << ": " << EvaluateInBrowserView(*frame_, engineText);
    }
}

}  // namespace
}  // namespace quorvane::test
