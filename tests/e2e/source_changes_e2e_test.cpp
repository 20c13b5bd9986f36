// The Original Source view's switch end to end: the page as served, as the engine holds it
// now, and the changes between them, with the real window and engine and pages served
// from 127.0.0.1.
#include <gtest/gtest.h>

#include <wx/menu.h>

#include <algorithm>
#include <string>

#include "inspection/encoding_choices.h"
#include "inspection/gui/served_source_view.h"
#include "main_window/gui/command_binding.h"
#include "main_window/gui/encoding_menu.h"
#include "main_window/gui/served_source_controls.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

// The page's script adds a meta to its head and rewrites its first paragraph.
constexpr const char* kScriptedPage =
    "<!DOCTYPE html>\n<html><head><title>Live</title></head>\n"
    "<body><p id=\"first\">marker-before</p><div>kept line</div>\n"
    "<script>\n"
    "const meta = document.createElement('meta'); meta.name = 'marker-added';\n"
    "document.head.appendChild(meta);\n"
    "document.getElementById('first').textContent = 'marker-after';\n"
    "</script>\n</body></html>\n";

constexpr const char* kStillPage =
    "<!DOCTYPE html>\n<html><head><title>Still</title></head>\n"
    "<body><p>marker-still</p><div>kept line</div></body></html>\n";

class SourceChangesEndToEnd : public MainWindowEndToEnd {
  protected:
    void TearDown() override {
        // The mode is kept in the settings the other tests of this run share.
        Parts().ChooseMode(SourceMode::AsServed);
        MainWindowEndToEnd::TearDown();
    }
    ServedSourceView& Served() { return frame_->ServedSource(); }
    ServedSourceControls& Parts() { return frame_->ServedSourceParts(); }
    void Run(CommandId id) { Run(CommandWindowId(id)); }
    void Run(int windowId) {
        wxCommandEvent choose(wxEVT_MENU, windowId);
        frame_->ProcessWindowEvent(choose);
    }
    bool ShowsText(const std::string& part) {
        return WaitUntil([&] {
            return Served().Complete() && Served().ShownText().find(part) != std::string_view::npos;
        });
    }
    bool Says(const std::string& note) {
        return WaitUntil([&] { return Parts().ModeNote() == note; });
    }
    void Load(const std::string& path, const char* page, const char* marker) {
        server_.Serve(path, "text/html", page);
        TypeAddressAndPressEnter(server_.Url(path));
        ASSERT_TRUE(WaitForAnalysedPage(server_.Url(path), marker));
    }
    // The lines of the view (from 0) whose margin marks them as changed.
    std::vector<int> MarkedLines() {
        std::vector<int> lines;
        for (int line = Served().MarkerNext(0, 0b110); line >= 0;
             line = Served().MarkerNext(line + 1, 0b110)) {
            lines.push_back(line);
        }
        return lines;
    }
    std::string LineText(int line) { return Served().GetLine(line).utf8_string(); }
};

TEST_F(SourceChangesEndToEnd, ShowsThePageAsItIsNowWithItsHeadAndItsScriptsChanges) {
    Load("/live/scripted.html", kScriptedPage, "marker-after");
    Run(CommandId::SourceAsServed);
    ASSERT_TRUE(ShowsText("marker-before"));
    EXPECT_EQ(Served().ShownText(), kScriptedPage);

    Run(CommandId::SourceAsNow);
    EXPECT_EQ(frame_->Controller().VisibleView(), MainWindowController::kServedSourceView);
    // The served text names both in its script only.
    ASSERT_TRUE(ShowsText("<meta name=\"marker-added\">"));
    const std::string_view live = Served().ShownText();
    EXPECT_EQ(live.substr(0, 22), "<!DOCTYPE html>\n<html>");
    EXPECT_NE(live.find("<title>Live</title><meta name=\"marker-added\"></head>"),
              std::string_view::npos)
        << live;
    EXPECT_EQ(live.find("marker-before"), std::string_view::npos);
    // The search works in the live text as in the served one.
    EXPECT_NE(live.find("<p id=\"first\">marker-after</p>"), std::string_view::npos);
    EXPECT_EQ(Served().Find("marker-after", {}, 100).ranges.size(), 2u);
    Served().EndFind();

    // Ctrl+4 shows the page as served again.
    Run(CommandId::ServedSourceView);
    ASSERT_TRUE(ShowsText("marker-before"));
    EXPECT_EQ(Parts().Mode(), SourceMode::AsServed);
}

TEST_F(SourceChangesEndToEnd, ReportsAndMarksEachChangeAndStepsThroughThemWithF7) {
    Load("/live/changes.html", kScriptedPage, "marker-after");
    Run(CommandId::SourceChanges);
    ASSERT_TRUE(Says("2 changes")) << Parts().ModeNote();
    ASSERT_TRUE(ShowsText("marker-after"));
    const std::vector<int> marked = MarkedLines();
    ASSERT_EQ(marked.size(), 3u) << Served().ShownText();
    EXPECT_NE(LineText(marked[0]).find("<meta name=\"marker-added\">"), std::string::npos);
    EXPECT_NE(LineText(marked[1]).find("marker-before"), std::string::npos);
    EXPECT_NE(LineText(marked[2]).find("marker-after"), std::string::npos);

    // F7 from the top reaches the first change, then the second, then the first again;
    // Shift+F7 goes back.
    Served().GotoPos(0);
    Served().SetFocus();
    TypeKeys("F7");
    ASSERT_TRUE(WaitUntil([&] { return Served().GetCurrentLine() == marked[0]; }))
        << Served().GetCurrentLine();
    TypeKeys("F7");
    ASSERT_TRUE(WaitUntil([&] { return Served().GetCurrentLine() == marked[1]; }))
        << Served().GetCurrentLine();
    TypeKeys("F7");
    ASSERT_TRUE(WaitUntil([&] { return Served().GetCurrentLine() == marked[0]; }))
        << Served().GetCurrentLine();
    Run(CommandId::PreviousChange);
    EXPECT_EQ(Served().GetCurrentLine(), marked[1]);
}

TEST_F(SourceChangesEndToEnd, FindsNoChangeInAPageWithoutScript) {
    Load("/live/still.html", kStillPage, "marker-still");
    Run(CommandId::SourceChanges);
    ASSERT_TRUE(Says("No changes")) << Parts().ModeNote();
    EXPECT_TRUE(MarkedLines().empty());
    ASSERT_TRUE(ShowsText("marker-still"));
}

// A text of changes goes into the view a piece at a time, each piece's lines marked as
// they come: a change near the end of a long page is marked on its own lines too, and F7
// from the first change reaches it.
TEST_F(SourceChangesEndToEnd, MarksAChangeFarDownALongPage) {
    std::string page = "<!DOCTYPE html>\n<html><head><title>Long</title></head>\n<body>\n";
    for (int n = 0; n < 12'000; ++n) {
        page += "<p>line " + std::to_string(n) + " of a page long enough to take many pieces</p>\n";
    }
    page +=
        "<p id=\"last\">marker-last-served</p>\n<script>\ndocument.title = 'marker-title';\n"
        "document.getElementById('last').textContent = 'marker-last-live';\n</script>\n"
        "</body></html>\n";
    Load("/live/long.html", page.c_str(), "marker-last-live");
    Run(CommandId::SourceChanges);
    ASSERT_TRUE(Says("2 changes")) << Parts().ModeNote();
    ASSERT_TRUE(ShowsText("marker-last-live"));
    const std::vector<int> marked = MarkedLines();
    ASSERT_EQ(marked.size(), 4u) << Served().ShownText().substr(0, 400);
    EXPECT_NE(LineText(marked[0]).find("<title>Long</title>"), std::string::npos);
    EXPECT_NE(LineText(marked[1]).find("marker-title"), std::string::npos);
    EXPECT_NE(LineText(marked[2]).find("marker-last-served"), std::string::npos);
    EXPECT_NE(LineText(marked[3]).find("marker-last-live"), std::string::npos);
    EXPECT_GT(Served().PositionFromLine(marked[2]), 1 << 19);
    Served().GotoPos(Served().PositionFromLine(marked[0]));
    Run(CommandId::NextChange);
    EXPECT_EQ(Served().GetCurrentLine(), marked[2]);
}

// The live text is read when asked, never of itself: a change the page makes later shows
// only after "Read the Page Again".
TEST_F(SourceChangesEndToEnd, ReadsThePageAgainOnlyWhenAsked) {
    Load("/live/again.html", kStillPage, "marker-still");
    Run(CommandId::SourceAsNow);
    ASSERT_TRUE(ShowsText("marker-still"));
    EvaluateInBrowserView(*frame_, "document.body.append('marker-later'); 'done'");
    // The page's change has been made; the view, which reads only when asked, still shows
    // the text of before until then.
    EXPECT_EQ(Served().ShownText().find("marker-later"), std::string_view::npos);
    Run(CommandId::ReadPageAgain);
    ASSERT_TRUE(ShowsText("marker-later"));
}

// A page in windows-1251 whose server says iso-8859-1: View > Text Encoding reads it right,
// names the encoding chosen first, and keeps it for a reload of the page but not for
// another page.
TEST_F(SourceChangesEndToEnd, ReadsAWronglyLabelledPageInTheEncodingChosen) {
    const std::string cyrillic = "<p>marker \xcf\xf0\xe8\xe2\xe5\xf2</p>";
    const std::string asCyrillic = "marker \xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82";
    server_.Serve("/live/cyrillic.html", "text/html; charset=iso-8859-1",
                  "<html><body>" + cyrillic + "</body></html>");
    TypeAddressAndPressEnter(server_.Url("/live/cyrillic.html"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/live/cyrillic.html"), "marker"));
    Run(CommandId::SourceAsServed);
    ASSERT_TRUE(ShowsText("marker \xc3\x8f"));
    EXPECT_EQ(Parts().ShownEncoding(), "windows-1252");

    const auto choices = EncodingChoices();
    const auto windows1251 = std::ranges::find(choices, "windows-1251", &EncodingChoice::name);
    ASSERT_NE(windows1251, choices.end());
    Run(EncodingMenu::ChoiceWindowId(static_cast<std::size_t>(windows1251 - choices.begin())));
    ASSERT_TRUE(ShowsText(asCyrillic));
    EXPECT_EQ(Parts().ShownEncoding(), "windows-1251");
    int menuPlace = wxNOT_FOUND;
    wxMenu* encodings = nullptr;
    const wxMenuItem* inUse =
        frame_->GetMenuBar()->FindItem(CommandWindowId(CommandId::EncodingInUse), &encodings);
    ASSERT_NE(inUse, nullptr);
    frame_->UpdateWindowUI();
    menuPlace = encodings->GetMenuItems().IndexOf(const_cast<wxMenuItem*>(inUse));
    EXPECT_EQ(menuPlace, 0);
    EXPECT_EQ(inUse->GetItemLabelText(), "windows-1251");

    // A reload keeps the choice (the page has changed meanwhile); the next page is read in
    // its own encoding again.
    server_.Serve("/live/cyrillic.html", "text/html; charset=iso-8859-1",
                  "<html><body><p>reloaded \xcf\xf0\xe8\xe2\xe5\xf2</p></body></html>");
    frame_->Controller().RefreshPage();
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/live/cyrillic.html"), "reloaded"));
    Run(CommandId::SourceAsServed);
    ASSERT_TRUE(ShowsText("reloaded \xd0\x9f\xd1\x80")) << Served().ShownText();
    Load("/live/still.html", kStillPage, "marker-still");
    Run(CommandId::SourceAsServed);
    ASSERT_TRUE(ShowsText("marker-still")) << Served().ShownText();
    EXPECT_EQ(Parts().ShownEncoding(), "UTF-8");
}

// A frame's own texts once it is chosen: its document as it is now, after its script, and
// as it was served, read from the engine, which answers for a frame's own document with no
// bytes (it looks for them among the frame's files), so that the view says it has no copy
// rather than fetch the frame again. The main document's texts again once it is chosen.
TEST_F(SourceChangesEndToEnd, ShowsAFramesTextsWhenItIsChosen) {
    server_.Serve("/live/inner.html", "text/html",
                  "<!DOCTYPE html>\n<html><body><p id=\"x\">marker-frame-served</p>\n<script>\n"
                  "document.getElementById('x').textContent = 'marker-frame-live';\n"
                  "</script>\n</body></html>\n");
    Load("/live/outer.html",
         "<!DOCTYPE html>\n<html><body><p>marker-outer</p>\n"
         "<iframe src=\"/live/inner.html\"></iframe>\n</body></html>\n",
         "marker-outer");
    const std::string inner = server_.Url("/live/inner.html");
    Run(CommandId::SourceAsServed);
    ASSERT_TRUE(ShowsText("marker-outer"));
    ASSERT_TRUE(WaitUntil([&] { return Parts().Frames() == std::vector<std::string>{inner}; }))
        << Parts().Frames().size() << " frames";

    Parts().ChooseFrame(inner);
    ASSERT_TRUE(Says("The browser holds no copy of this frame as served.")) << Parts().ModeNote();
    Run(CommandId::SourceAsNow);
    ASSERT_TRUE(ShowsText("<p id=\"x\">marker-frame-live</p>")) << Parts().ModeNote();
    EXPECT_EQ(Served().ShownText().find("marker-outer"), std::string_view::npos);
    EXPECT_EQ(Parts().ChosenFrame(), inner);
    Parts().ChooseFrame("");
    Run(CommandId::SourceAsNow);
    ASSERT_TRUE(ShowsText("marker-outer"));
    EXPECT_EQ(Served().ShownText().find("marker-frame"), std::string_view::npos);
}

}  // namespace
}  // namespace quorvane::test
