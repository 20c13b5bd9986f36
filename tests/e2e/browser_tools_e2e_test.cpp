// Find, zoom, downloads, "Save Images…", access keys and the focus, end to end: the real
// window and engine, pages served from 127.0.0.1, keys typed with xdotool.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "branding/branding_values.h"
#include "branding/gui/show_help_setting.h"
#include "desktop/program_folder.h"
#include "desktop/user_folders.h"
#include "engine/address_to_load.h"
#include "engine/download_target.h"
#include "engine/gui/network_process_watch.h"
#include "main_window/commands.h"
#include "main_window/gui/command_binding.h"
#include "main_window/gui/find_bar.h"
#include "saving/data_url.h"
#include "saving/partial_file.h"
#include "saving/transfer_messages.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/program_process.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class BrowserToolsEndToEnd : public MainWindowEndToEnd {
  protected:
    std::string FindStatus() const { return frame_->FindBarControl()->Status(); }
};

TEST_F(BrowserToolsEndToEnd, FindCountsInTheVisibleViewAndMovesBetweenMatches) {
    OpenPage("/find.html",
             "<html><body><p class=\"needle\">needle needle</p><p>NEEDLE</p>"
             "<p>marker-find</p></body></html>",
             "marker-find");
    // The Source Code view shows the markup too: the class name is a match there.
    frame_->Controller().SelectView(1);
    frame_->Controller().Find("needle", false);
    ASSERT_TRUE(WaitUntil([&] { return FindStatus() == "1 of 4"; })) << FindStatus();
    frame_->Controller().FindNext();
    EXPECT_EQ(FindStatus(), "2 of 4");
    frame_->Controller().Find("NEEDLE", true);
    EXPECT_TRUE(WaitUntil([&] { return FindStatus() == "1 of 1"; })) << FindStatus();
    frame_->Controller().Find("haystack", false);
    EXPECT_TRUE(WaitUntil([&] { return FindStatus() == "Not found"; })) << FindStatus();

    // Another view: the open search runs again there, on the page's visible text.
    frame_->Controller().Find("needle", false);
    frame_->Controller().SelectView(0);
    ASSERT_TRUE(WaitUntil([&] { return FindStatus() == "1 of 3"; })) << FindStatus();
    const std::string selection =
        "(() => { const s = getSelection(); return s + '@' + s.anchorOffset; })()";
    EXPECT_TRUE(WaitUntil([&] { return EvaluateInBrowserView(*frame_, selection) == "needle@0"; }));
    frame_->Controller().FindNext();
    EXPECT_EQ(FindStatus(), "2 of 3");
    EXPECT_TRUE(WaitUntil([&] { return EvaluateInBrowserView(*frame_, selection) == "needle@7"; }));
    frame_->Controller().FindPrevious();
    frame_->Controller().FindPrevious();
    EXPECT_EQ(FindStatus(), "3 of 3");
    EXPECT_TRUE(WaitUntil([&] { return EvaluateInBrowserView(*frame_, selection) == "NEEDLE@0"; }));
    // Typed into the bar, the search moves on with the desktop browser's keys too.
    TypeKeys("ctrl+f n e e d l e");
    EXPECT_TRUE(WaitUntil([&] { return FindStatus() == "1 of 3"; })) << FindStatus();
    TypeKeys("ctrl+g");
    EXPECT_TRUE(WaitUntil([&] { return FindStatus() == "2 of 3"; })) << FindStatus();
    TypeKeys("ctrl+shift+g");
    EXPECT_TRUE(WaitUntil([&] { return FindStatus() == "1 of 3"; })) << FindStatus();
    // A new search, typed on or ticked, selects the match its count calls the first.
    for (const auto& [text, matchCase, status] :
         {std::tuple{"needl", false, "1 of 3"}, std::tuple{"needle", true, "1 of 2"}}) {
        frame_->Controller().FindNext();
        frame_->Controller().Find(text, matchCase);
        EXPECT_TRUE(WaitUntil([&] { return FindStatus() == status; })) << FindStatus();
        EXPECT_TRUE(WaitUntil([&] {
            return EvaluateInBrowserView(*frame_, selection) == std::string(text) + "@0";
        })) << EvaluateInBrowserView(*frame_, selection);
    }
}

TEST_F(BrowserToolsEndToEnd, ZoomChangesTheVisibleViewOnly) {
    const auto zoom = [&](int view) { return frame_->Element(view).ZoomLevel(); };
    // A chosen view has the keyboard, and its engine hands back the keys its page does not
    // take: the zoom follows once the engine has. The other views' levels are checked then.
    const auto zoomsTo = [&](int view, double level) {
        return WaitUntil([&] { return std::abs(zoom(view) - level) < 1e-9; });
    };
    TypeKeys("ctrl+2 ctrl+plus ctrl+plus");
    EXPECT_TRUE(zoomsTo(1, 1.25)) << zoom(1);
    EXPECT_DOUBLE_EQ(zoom(0), 1.0);
    EXPECT_DOUBLE_EQ(zoom(2), 1.0);
    TypeKeys("ctrl+3 ctrl+minus");
    EXPECT_TRUE(zoomsTo(2, 0.9)) << zoom(2);
    EXPECT_DOUBLE_EQ(zoom(1), 1.25);
    TypeKeys("ctrl+2 ctrl+0");
    EXPECT_TRUE(zoomsTo(1, 1.0)) << zoom(1);
    EXPECT_DOUBLE_EQ(zoom(2), 0.9);
    EXPECT_DOUBLE_EQ(zoom(0), 1.0);
    // Ctrl and the wheel, over the view: a rung of the ladder per step, taken by the window
    // itself as each turn comes.
    AsAUser(
        "xdotool search --name '^Quorvane by' mousemove --window %1 --sync 400 400 "
        "keydown ctrl click 4 click 4 click 4 click 5 keyup ctrl");
    EXPECT_DOUBLE_EQ(zoom(1), 1.25);
    EXPECT_DOUBLE_EQ(zoom(2), 0.9);
    // Panel 1 says where the wheel left the view, and the level of a zoomed view chosen.
    const auto said = [&] { return frame_->GetStatusBar()->GetStatusText(0).utf8_string(); };
    EXPECT_EQ(said(), "Zoom 125 %");
    TypeKeys("ctrl+3");
    EXPECT_TRUE(WaitUntil([&] { return said() == "Zoom 90 %"; })) << said();
}

TEST_F(BrowserToolsEndToEnd, ADownloadLandsWholeInTheDownloadFolderAndNeverOverAFile) {
    const fs::path folder = UserHomeFolder() / "downloads-e2e";
    fs::remove_all(folder);
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    std::string archive = "PK\x03\x04";
    archive.append(1, '\0');
    for (int i = 0; i < 200000; ++i) {
        archive += static_cast<char>(i * 7);
    }
    server_.Serve("/files/archive.zip", "application/zip", archive);
    server_.Serve("/files/broken.zip", "application/zip", archive.substr(0, 1000), archive.size());
    // Typed into the address box: the engine cannot show the file, so it is kept.
    for (const char* name : {"archive.zip", "archive (1).zip"}) {
        TypeAddressAndPressEnter(server_.Url("/files/archive.zip"));
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(folder / name); })) << name;
        EXPECT_EQ(ReadFileBytes(folder / name), archive) << name;
    }
    EXPECT_THAT(FilesIn(folder), ElementsAre("archive (1).zip", "archive.zip"));

    // Links that ask for a download: nothing loads, so panel 1 keeps the download's word
    // (after a load, the views' own "Done" follows it).
    OpenPage("/files/links.html",
             "<html><body><p>marker-links</p><a id=\"whole\" href=\"archive.zip\" download>a</a>"
             "<a id=\"cut\" href=\"broken.zip\" download>b</a></body></html>",
             "marker-links");
    EvaluateInBrowserView(*frame_, "document.getElementById('whole').click(), ''");
    EXPECT_TRUE(WaitUntil([&] {
        return StatusText() == "Saved archive (2).zip to ~/downloads-e2e";
    })) << StatusText();
    EXPECT_EQ(ReadFileBytes(folder / "archive (2).zip"), archive);
    // A download cut off halfway leaves nothing behind, once the engine has let go of it.
    EvaluateInBrowserView(*frame_, "document.getElementById('cut').click(), ''");
    EXPECT_TRUE(WaitUntil([&] {
        return StatusText().starts_with("Download of broken.zip failed");
    })) << StatusText();
    const std::vector<std::string> kept{"archive (1).zip", "archive (2).zip", "archive.zip"};
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(folder) == kept; }))
        << ::testing::PrintToString(FilesIn(folder));
    unsetenv("XDG_DOWNLOAD_DIR");
    fs::remove_all(folder);
}

// A server's suggested name holding "/" would end the engine's network process (and
// every load with it): such a file is fetched outside the engine and lands under a safe
// name, and the page loads after it as before.
TEST_F(BrowserToolsEndToEnd, ASuggestedNameWithASlashSavesSafelyAndDisturbsNothing) {
    const fs::path folder = UserHomeFolder() / "downloads-named-e2e";
    fs::remove_all(folder);
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    server_.ServeWithHeader("/files/a", "text/plain", "dot file",
                            "Content-Disposition: attachment; filename=\"../../.bashrc\"");
    server_.ServeWithHeader("/files/b", "application/zip", "escape",
                            "Content-Disposition: attachment; "
                            "filename*=UTF-8''..%2F..%2Fescape.txt");
    // Typed into the address box: the views' own "Done" may follow the download's word,
    // so the files tell.
    for (const auto& [path, name] : {std::pair{"/files/a", "bashrc"}, {"/files/b", "escape.txt"}}) {
        TypeAddressAndPressEnter(server_.Url(path));
        EXPECT_TRUE(WaitUntil([&] { return fs::exists(folder / name); })) << StatusText();
    }
    EXPECT_THAT(FilesIn(folder), UnorderedElementsAre("bashrc", "escape.txt"));
    EXPECT_EQ(ReadFileBytes(folder / "bashrc"), "dot file");
    EXPECT_EQ(ReadFileBytes(folder / "escape.txt"), "escape");
    const std::vector<pid_t> networkProcesses = EngineNetworkProcesses();
    OpenPage("/files/after.html", "<html><body><p>marker-after</p></body></html>", "marker-after");
    EXPECT_EQ(EngineNetworkProcesses(), networkProcesses);
    unsetenv("XDG_DOWNLOAD_DIR");
    fs::remove_all(folder);
}

// The engine says nothing of a download whose network process went away (killed here as
// the kernel's out-of-memory killer would): it fails all the same, leaves nothing, and
// the window closes cleanly in TearDown.
TEST_F(BrowserToolsEndToEnd, ADownloadCutOffByTheEnginesNetworkProcessFailsAndLeavesNothing) {
    const fs::path folder = UserHomeFolder() / "downloads-cut-e2e";
    fs::remove_all(folder);
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    server_.ServeEndlessly("/files/endless.zip", "application/zip");
    TypeAddressAndPressEnter(server_.Url("/files/endless.zip"));
    const fs::path enginePart = folder / (PartialFile::PartialName("endless.zip") + kEngineSuffix);
    ASSERT_TRUE(WaitUntil([&] {
        std::error_code missing;
        const auto size = fs::file_size(enginePart, missing);
        return !missing && size > 0;
    })) << StatusText();
    const std::vector<pid_t> networkProcesses = EngineNetworkProcesses();
    ASSERT_FALSE(networkProcesses.empty());
    for (const pid_t pid : networkProcesses) {
        ::kill(pid, SIGKILL);
    }
    // The views' own "Done" may follow the download's word in panel 1, so the files
    // tell: the engine itself leaves both partial files behind.
    EXPECT_TRUE(WaitUntil([&] { return FilesIn(folder).empty(); })) << StatusText();
    EXPECT_THAT(FilesIn(folder), ::testing::IsEmpty());
    unsetenv("XDG_DOWNLOAD_DIR");
    fs::remove_all(folder);
}

// A download that never ends is cancelled by Stop (Escape, as the user gives it) and by
// File > Cancel Download, which can be chosen only while one runs: both partial files
// go, and panel 1 says so.
TEST_F(BrowserToolsEndToEnd, StopAndCancelDownloadCancelARunningDownloadAndLeaveNothing) {
    const fs::path folder = FreshTempFolder("cancelled downloads");
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    server_.ServeEndlessly("/files/endless.zip", "application/zip");
    const fs::path enginePart = folder / (PartialFile::PartialName("endless.zip") + kEngineSuffix);
    const CommandTarget target{frame_->Controller(), *frame_};
    const Command& cancel = CommandFor(CommandId::CancelDownload);
    EXPECT_FALSE(cancel.enabled(target));
    const std::function<void()> cancelWays[] = {
        [] { TypeKeys("Escape"); },
        [&] {
            wxCommandEvent choose(wxEVT_MENU, CommandWindowId(CommandId::CancelDownload));
            frame_->ProcessWindowEvent(choose);
        },
    };
    for (const auto& cancelIt : cancelWays) {
        TypeAddressAndPressEnter(server_.Url("/files/endless.zip"));
        ASSERT_TRUE(WaitUntil([&] {
            std::error_code missing;
            const auto size = fs::file_size(enginePart, missing);
            return !missing && size > 0;
        })) << StatusText();
        EXPECT_TRUE(cancel.enabled(target));
        cancelIt();
        EXPECT_TRUE(WaitUntil([&] { return StatusText() == "Download of endless.zip cancelled"; }))
            << StatusText();
        EXPECT_TRUE(WaitUntil([&] { return FilesIn(folder).empty(); }));
        EXPECT_THAT(FilesIn(folder), ::testing::IsEmpty());
        EXPECT_FALSE(cancel.enabled(target));
    }
    unsetenv("XDG_DOWNLOAD_DIR");
    fs::remove_all(folder);
}

TEST_F(BrowserToolsEndToEnd, AccessKeysOpenTheirMenus) {
    std::vector<int> opened;
    wxMenuBar* bar = frame_->GetMenuBar();
    frame_->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        for (int i = 0; i < static_cast<int>(bar->GetMenuCount()); ++i) {
            if (bar->GetMenu(i) == event.GetMenu()) {
                opened.push_back(i);
            }
        }
        event.Skip();
    });
    TypeKeys("alt+f Escape alt+g Escape alt+v Escape alt+t Escape alt+h Escape alt+a Escape");
    EXPECT_TRUE(WaitUntil([&] { return opened.size() >= 6; })) << opened.size();
    EXPECT_THAT(opened, ElementsAre(0, 1, 2, 3, 4, 5));
    // The captions read as before: the access keys are underlines, not text.
    std::vector<std::string> captions;
    for (int i = 0; i < static_cast<int>(bar->GetMenuCount()); ++i) {
        captions.push_back(bar->GetMenuLabelText(i).utf8_string());
    }
    EXPECT_THAT(captions, ElementsAre("File", "Go", "View", "Tools", "Help", "About"));
}

// In the open View menu an item's own letter chooses it: "Image &List" by L (which once
// only highlighted, as it shared the letter with another item), the Resources by 6.
TEST_F(BrowserToolsEndToEnd, AnItemsLetterInTheViewMenuChoosesIt) {
    const struct {
        const char* keys;
        int view;
    } rows[] = {
        {"alt+v l", MainWindowController::kImageListView},
        {"alt+v 6", MainWindowController::kRequestListView},
        {"alt+v b", MainWindowController::kBrowserView},
    };
    for (const auto& row : rows) {
        TypeKeys(row.keys);
        EXPECT_TRUE(WaitUntil([&] { return frame_->Controller().VisibleView() == row.view; }))
            << row.keys << ": view " << frame_->Controller().VisibleView();
    }
}

TEST_F(BrowserToolsEndToEnd, TheAddressBoxHasTheFocusAtStartAndAChosenViewTakesIt) {
    AsAUser("xdotool search --name '^Quorvane by' windowfocus --sync");
    EXPECT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->AddressBox(); }));
    long from = -1;
    long to = -1;
    frame_->AddressBox()->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, frame_->AddressBox()->GetLastPosition());
    EXPECT_GT(to, 0);
    TypeKeys("ctrl+2");
    EXPECT_TRUE(WaitUntil([&] { return wxWindow::FindFocus() == frame_->Element(1).Window(); }));
}

TEST_F(BrowserToolsEndToEnd, AHelpWindowShownAtStartHasTheFocusSoEscapeClosesIt) {
    // The window made for this test goes first, and lets go of its work folder.
    Close();
    ShowHelpSetting(branding.productName).Write("1");
    frame_ =
        new MainFrame(nullptr, WorkFolder::ForRun(workFolder_.string(), workFolder_ / "copies"));
    frame_->Load();
    frame_->Show();
    ASSERT_TRUE(
        WaitForAnalysedPage(AddressToLoad(ProgramFolder() + "/home.html"), "home-browser.svg"));
    const auto helpWindow = [] {
        for (wxWindow* window : wxTopLevelWindows) {
            if (window->GetLabel() == "Readme/Help") {
                return window;
            }
        }
        return static_cast<wxWindow*>(nullptr);
    };
    ASSERT_NE(helpWindow(), nullptr);
    ASSERT_NE(wxWindow::FindFocus(), nullptr);
    EXPECT_EQ(wxGetTopLevelParent(wxWindow::FindFocus()), helpWindow());
    AsAUser("xdotool key Escape");
    EXPECT_TRUE(WaitUntil([&] { return helpWindow() == nullptr; }));
    ShowHelpSetting(branding.productName).Write("0");
}

}  // namespace
}  // namespace quorvane::test
