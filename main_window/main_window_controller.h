#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "analysis/analysis_lists.h"
#include "branding/side_windows.h"
#include "engine/browser_element.h"
#include "inspection/served_source_pane.h"
#include "inspection/source_find.h"
#include "main_window/find_in_page.h"
#include "main_window/main_window_surface.h"
#include "main_window/page_analysis_runner.h"
#include "main_window/served_source_follower.h"
#include "main_window/status_panel.h"
#include "main_window/window_opening_limit.h"
#include "saving/image_saving.h"
#include "saving/transfer_report.h"

namespace quorvane {

// The main window's logic: start-up and unload, the three views and the "Original
// Source" view, the navigation commands, the browser events and the page analysis of the
// Browser view. It knows the window only through MainWindowSurface, the Help, About and
// Website windows only through SideWindows, the views only through BrowserElement and
// the Original Source view through ServedSourcePane, so it runs without a display in
// the tests.
class MainWindowController : public BrowserEvents, public TransferReport {
  public:
    static constexpr int kBrowserView = 0;
    static constexpr int kSourceView = 1;
    static constexpr int kImagesView = 2;
    // The fourth view, the page as the server sent it, is no browser element.
    static constexpr int kServedSourceView = 3;

    // Makes the three browser elements, element i being view i, with events going to
    // the controller being made: the elements need it, and it needs them.
    using MakeViews = std::function<std::array<BrowserElement*, 3>(BrowserEvents& events)>;

    // workFolder: where the six work files live (the program folder, or the per-user
    // fallback). toWindowThread: how the analysis thread's outcomes reach the window's
    // thread; without it every analysis runs in place (the window's logic without a display).
    MainWindowController(MainWindowSurface& surface, SideWindows& windows,
                         const MakeViews& makeViews, ServedSourcePane& servedSource,
                         std::string workFolder,
                         PageAnalysisRunner::ToWindowThread toWindowThread = {});

    // startAddress: what the window loads first; its home page when empty.
    void Load(const std::string& startAddress = {});
    void Unload();

    void ShowView(int view);
    void SelectView(int view);
    void OnTabSelected();  // shows the selected tab's view
    // The Original Source view when it is shown, else the last element, of 0, 1, 2,
    // whose Visible is true.
    int VisibleView() const;

    // The commands: one routine each, run by the button, the menu item and the shortcut
    // alike (the table of Commands()).
    void Go();
    void Back();
    void Forward();
    void StopAll();
    // The Stop command: StopAll, and "Save Images…" ends with what it has saved.
    void Stop();
    void RefreshPage();
    void UpDir();
    void SendToIE();
    void Open();
    void Exit();
    void EnterInAddressBox();  // runs Go
    void GoHome();
    // A new window of the program on the home page.
    void OpenNewWindow();

    void VisitWebsite();  // the website command, of the Website button and its menu item
    void ShowHelp();
    void ShowAbout();

    // Commands on the visible view: find, zoom. Each view keeps its own zoom level, and
    // an open search follows the visible view when it changes. Only the Original Source
    // view finds regular expressions and whole words; the web views find the text.
    void Find(const std::string& text, bool matchCase);
    void Find(const std::string& text, const SourceFindOptions& options);
    void FindNext();
    void FindPrevious();
    void EndFind();
    void ZoomIn();
    void ZoomOut();
    void ActualSize();

    // "Save Images…": asks for a folder, starting in the user's download folder, and
    // saves the Images view's pictures there. Nothing happens while the list is empty or
    // a run is on (CanSaveImages false).
    void SaveImages();
    bool CanSaveImages() const;

    // "Save Source…": the Browser view's page as the server sent it, into a file the user
    // chooses, starting in the download folder under the page's name; never over a file.
    void SaveSource();
    // A link of the Original Source view: the Browser view loads target and is shown, or,
    // for the target's own source, the Original Source view stays.
    void FollowSourceLink(const std::string& target, bool ownSource);

    // Captures the Browser view's body and runs the analysis; the Source Code and
    // Images views are then told to load the generated pages. Two captures never
    // overlap: one asked for while another is on is made once it is answered. The
    // analysis of a newer capture supersedes an older one still running.
    void AnalysePage();
    const AnalysisLists& Lists() const { return lists_; }

    // BrowserEvents.
    void StatusTextChange(int index, const std::string& text) override;
    void ProgressChange(int index, std::int32_t progress, std::int32_t progressMax) override;
    void LoadFinished(int index) override;
    void TitleChange(int index, const std::string& text) override;
    void NewWindowRequested(int index, const std::string& address, bool byUser) override;

    // The program's own message in panel 1 (a Tools menu entry not written, no default
    // browser): it lasts until the user's next command or the Browser view's next load.
    void ShowMessage(const std::string& text);
    // A command of the user, whatever it is: the message shown may now give way.
    void UserAction();
    // TransferReport, for downloads and "Save Images…": their messages last too.
    void SetStatusText(const std::string& text) override;
    void SetProgress(float max, float value) override;
    void CallSoon(std::function<void()> step) override;

  private:
    // A search open on the find bar, to run again in the view shown next.
    struct OpenSearch {
        std::string text;
        SourceFindOptions options;
    };

    void HideViews();
    void RevealView(int view, bool sourceWasShown);
    // The element the navigation commands work on: the visible one, or the Browser view's
    // while the Original Source view, which shows its page, is visible.
    BrowserElement& VisibleElement() const;
    void SearchServedSource();
    void ShowServedSourceFindStatus();
    double VisibleZoomLevel() const;
    void SetVisibleZoomLevel(double level);
    void SaveSourceFile(const ServedResource& resource);

    // The parts of AnalysePage: the engine's answer to the capture, the start of the run
    // on the analysis thread, and its outcome back on the window's thread.
    void OnBodyCaptured(std::optional<std::string> bodyHtml);
    void StartAnalysis(std::optional<std::string> bodyHtml);
    void OnAnalysed(const std::string& address, AnalysisOutcome outcome);
    void ShowAnalysisFault(const std::string& what);
    void SetGeneratedViewsPreparing(bool preparing);
    void SayWhichViewIsPrepared();
    void ShowAnalysisNoteAfterLoad(int index);

    MainWindowSurface& surface_;
    SideWindows& windows_;
    std::array<BrowserElement*, 3> views_;
    ServedSourcePane& servedSource_;
    ServedSourceFollower servedSourceFollower_;
    std::string workFolder_;
    AnalysisLists lists_;
    StatusPanel status_;
    FindInPage find_;
    std::optional<OpenSearch> openSearch_;
    SourceMatches sourceMatches_;        // of the last search in the Original Source view
    bool servedSourceSearched_ = false;  // the open search has run in the view as it shows
    ImageSaving saving_;
    // The address the user typed and sent with Go: a page that could not be opened keeps
    // it in the box, rather than what the engine made of it.
    std::string typedAddress_;
    WindowOpeningLimit windowLimit_;
    bool analysing_ = false;  // a capture is on its way
    bool analysisRequested_ = false;
    bool preparing_ = false;  // the generated views wait for the analysis of a new page
    // What the last analysis has to say in panel 1 (a page cut short, a view file not
    // written), and which views have yet to load the page it wrote.
    std::string analysisNote_;
    std::array<bool, 3> noteAfterLoad_{};
    PageAnalysisRunner analyses_;  // last: joined before what its outcomes reach goes
};

}  // namespace quorvane
