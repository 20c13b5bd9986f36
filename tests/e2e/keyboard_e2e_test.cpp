// The keyboard in the real window: the Keyboard Shortcuts window, made from the command
// table, and the keys that choose a view hand it the keyboard.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <wx/listctrl.h>
#include <wx/srchctrl.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <chrono>
#include <string>
#include <vector>

#include "image_list/gui/image_list_view.h"
#include "main_window/commands.h"
#include "main_window/gui/shortcuts_window.h"
#include "main_window/shortcut_list.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"

namespace quorvane::test {
namespace {

using ::testing::ElementsAreArray;
using KeyboardEndToEnd = MainWindowEndToEnd;

constexpr auto kDeadline = std::chrono::seconds(30);

// Escape as the window's keyboard hands it over, before any control of it sees it.
void PressEscapeIn(wxWindow& window) {
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(&window);
    window.ProcessWindowEvent(escape);
}

// The lines the window shows, each as "command<TAB>keys", a group's heading as its title.
std::vector<std::string> ShownLines(const ShortcutsWindow& window) {
    std::vector<std::string> lines;
    const wxListView& list = *window.List();
    for (long line = 0; line < list.GetItemCount(); ++line) {
        const wxString keys = list.GetItemText(line, 1);
        lines.push_back(
            (list.GetItemText(line, 0) + (keys.empty() ? "" : "\t" + keys)).utf8_string());
    }
    return lines;
}

// What the window must show for rows: each group's title before its rows.
std::vector<std::string> ExpectedLines(const std::vector<ShortcutRow>& rows) {
    std::vector<std::string> lines;
    const std::string* group = nullptr;
    for (const ShortcutRow& row : rows) {
        if (group == nullptr || *group != row.group) {
            group = &row.group;
            lines.push_back(row.group);
        }
        std::string keys;
        for (const std::string& key : row.keys) {
            keys += (keys.empty() ? "" : ", ") + key;
        }
        lines.push_back("    " + row.command + "\t" + keys);
    }
    return lines;
}

TEST_F(KeyboardEndToEnd, KeyboardShortcutsListsEveryShortcutAndTypingFiltersThem) {
    const auto shown = [this] {
        ShortcutsWindow* window = frame_->ShortcutsWindowShown();
        return window != nullptr && window->IsShown();
    };
    // The Help menu's item. Its keys, Ctrl+? and Ctrl+/, are the command table's, checked
    // without a display: xdotool's chords for them leave keys down under Xvfb, so that the
    // tests after this one would get other keys than they type.
    CommandFor(CommandId::KeyboardShortcuts).run({frame_->Controller(), *frame_});
    ASSERT_TRUE(WaitUntil(shown, kDeadline));
    ShortcutsWindow& window = *frame_->ShortcutsWindowShown();
    EXPECT_EQ(window.GetTitle(), "Keyboard Shortcuts");
    EXPECT_THAT(ShownLines(window), ElementsAreArray(ExpectedLines(ShortcutRows())));
    ASSERT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() != nullptr; }, kDeadline));
    EXPECT_EQ(wxGetTopLevelParent(wxWindow::FindFocus()), &window);

    // As typed into the search box, which has the keyboard.
    window.SearchBox()->SetValue("zoom ou");
    const std::vector<std::string> zoomOut =
        ExpectedLines(FilterShortcutRows(ShortcutRows(), "zoom ou"));
    ASSERT_EQ(zoomOut.size(), 2U);  // the View heading and Zoom Out
    EXPECT_TRUE(WaitUntil([&] { return ShownLines(window) == zoomOut; }, kDeadline))
        << ::testing::PrintToString(ShownLines(window));

    PressEscapeIn(window);
    EXPECT_TRUE(WaitUntil([&] { return !shown(); }, kDeadline));

    // Closed, it opens afresh, unfiltered.
    CommandFor(CommandId::KeyboardShortcuts).run({frame_->Controller(), *frame_});
    ASSERT_TRUE(WaitUntil(shown, kDeadline));
    EXPECT_THAT(ShownLines(*frame_->ShortcutsWindowShown()),
                ElementsAreArray(ExpectedLines(ShortcutRows())));
    const wxWeakRef<ShortcutsWindow> closing(frame_->ShortcutsWindowShown());
    PressEscapeIn(*closing);
    EXPECT_TRUE(WaitUntil([&] { return !shown() && !closing; }, kDeadline));
}

wxListCtrl* ImageListLines(MainFrame& frame) {
    for (wxWindow* child : frame.ImageList().GetChildren()) {
        if (auto* lines = wxDynamicCast(child, wxListCtrl)) {
            return lines;
        }
    }
    return nullptr;
}

long CurrentLine(const wxListCtrl& lines) {
    return lines.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
}

// Ctrl+5 hands the keyboard to the list itself, not to the filter box above it, so that
// Page Down moves down the list at once, as it scrolls the other views.
TEST_F(KeyboardEndToEnd, CtrlFivePutsTheKeyboardIntoTheImageListSoPageDownMovesIt) {
    constexpr int kImages = 300;
    std::string body;
    for (int n = 0; n < kImages; ++n) {
        body += "<img src=\"http://127.0.0.1:1/" + std::to_string(n) + ".bmp\">";
    }
    server_.Serve("/keys/page.html", "text/html", "<!DOCTYPE html><body>" + body + "</body>");
    TypeAddressAndPressEnter(server_.Url("/keys/page.html"));
    ASSERT_TRUE(WaitUntil([&] { return frame_->ImageList().ShownLines() == kImages; },
                          std::chrono::minutes(2)))
        << frame_->ImageList().ShownLines() << " lines";
    wxListCtrl* lines = ImageListLines(*frame_);
    ASSERT_NE(lines, nullptr);

    // The page has the keyboard, and its engine hands back the keys it does not take.
    TypeKeys("ctrl+5");
    ASSERT_TRUE(WaitUntil(
        [&] { return frame_->Controller().VisibleView() == MainWindowController::kImageListView; },
        kDeadline));
    EXPECT_TRUE(frame_->ImageList().ListHasKeyboard());
    ASSERT_EQ(CurrentLine(*lines), 0);
    ASSERT_EQ(lines->GetTopItem(), 0);

    // The first Page Down goes to the last line on screen, the second scrolls.
    TypeKeys("Next");
    EXPECT_TRUE(WaitUntil([&] { return CurrentLine(*lines) > 0; }, kDeadline));
    TypeKeys("Next");
    EXPECT_TRUE(WaitUntil([&] { return lines->GetTopItem() > 0; }, kDeadline))
        << "current line " << CurrentLine(*lines);
    EXPECT_TRUE(frame_->ImageList().ListHasKeyboard());
}

}  // namespace
}  // namespace quorvane::test
