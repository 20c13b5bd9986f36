#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "analysis/analysis_lists.h"
#include "branding/side_windows.h"
#include "desktop/start_request.h"
#include "engine/browser_events.h"
#include "engine/running_downloads.h"
#include "inspection/served_source_pane.h"
#include "inspection/source_find.h"
#include "main_window/address_box.h"
#include "main_window/find_in_views.h"
#include "image_list/image_list_keeper.h"
#include "main_window/main_window_surface.h"
#include "main_window/navigation_commands.h"
#include "main_window/page_analysis_run.h"
#include "requests/request_list_keeper.h"
#include "main_window/save_commands.h"
#include "inspection/served_source_follower.h"
#include "main_window/status_panel.h"
#include "main_window/view_zoom.h"
#include "main_window/window_opening_limit.h"
#include "main_window/window_views.h"
#include "saving/transfer_report.h"

namespace quorvane {

// The main window's logic: start-up and unload, the three views and the "Original
// Source" view, and the browser events; its commands are parts of their own (navigation,
// find, zoom, saving, the page analysis of the Browser view) that it owns and runs. It knows the
// window only through MainWindowSurface, the Help, About and Website windows only through
// SideWindows, the views only through their browser elements and the Original Source view through
// ServedSourcePane, so it runs without a display in the tests.
class MainWindowController : public BrowserEvents, public TransferReport {
  public:
    static constexpr int kBrowserView = WindowViews::kBrowserView;
    static constexpr int kSourceView = WindowViews::kSourceView;
    static constexpr int kImagesView = WindowViews::kImagesView;
    // The fourth view, the page as the server sent it, and the fifth, the list of its
    // images, are no browser elements.
    static constexpr int kServedSourceView = WindowViews::kServedSourceView;
    static constexpr int kImageListView = WindowViews::kImageListView;
    // The sixth, the page's requests, is none either.
    static constexpr int kRequestListView = WindowViews::kRequestListView;

    // Makes the three browser elements, element i being view i, with events going to
    // the controller being made: the elements need it, and it needs them.
    using MakeViews = std::function<ViewElements(BrowserEvents& events)>;

    // workFolder: where the six work files live (the program folder, or the per-user
    // fallback). imageTable: what the Image List view shows, kept by the controller, and
    // requestTable what the Resources view shows.
    // toWindowThread: how the analysis thread's outcomes reach the window's thread; without
    // it every analysis runs in place (the window's logic without a display).
    MainWindowController(MainWindowSurface& surface, SideWindows& windows,
                         const MakeViews& makeViews, ServedSourcePane& servedSource,
                         ImageListPane& imageList, ImageListTable& imageTable,
                         RequestListPane& requestList, RequestListTable& requestTable,
                         std::string workFolder,
                         PageAnalysisRunner::ToWindowThread toWindowThread = {});

    // startAddress: what the window loads first; its home page when empty. The Help window
    // opens by its setting for a person's start only: a window opened from another is there
    // for its page.
    void Load(const std::string& startAddress = {}, StartedBy startedBy = StartedBy::Person);
    void Unload();

    void ShowView(int view);
    void SelectView(int view);
    void OnTabSelected();  // shows the selected tab's view
    // The Original Source, Image List or Resources view when it is shown, else the last
    // element, of 0, 1, 2, whose Visible is true.
    int VisibleView() const { return views_.VisibleView(); }

    // The commands: one routine each, run by the button, the menu item and the shortcut
    // alike (the table of Commands()).
    void Go() { navigation_.Go(); }
    void Back() { navigation_.Back(); }
    void Forward() { navigation_.Forward(); }
    void StopAll() { navigation_.StopAll(); }
    // The Stop command: StopAll, "Save Images…" and the Image List's save end with what
    // they have saved, and the downloads are cancelled.
    void Stop();
    // The downloads that Stop and "Cancel Download" cancel; none until they are given.
    void FollowDownloads(RunningDownloads& downloads) { downloads_ = &downloads; }
    // "Cancel Download": the downloads running are cancelled, nothing else.
    void CancelDownloads();
    bool DownloadRunning() const { return downloads_ != nullptr && downloads_->AnyRunning(); }
    void RefreshPage() { navigation_.RefreshPage(); }
    void UpDir() { navigation_.UpDir(); }
    void SendToIE() { navigation_.SendToIE(); }
    void Open() { navigation_.Open(); }
    void Exit() { navigation_.Exit(); }
    void EnterInAddressBox() { Go(); }
    // The user changed the address box's text; the keyboard left it for another control;
    // Escape in it, which takes the key (true) when it put the page's address back.
    void AddressTyped(const std::string& text) { addressBox_.Typed(text); }
    void AddressBoxLeft() { addressBox_.KeyboardLeft(); }
    bool EscapeInAddressBox() { return addressBox_.Escaped(); }
    void GoHome() { navigation_.GoHome(); }
    // A new window of the program on the home page.
    void OpenNewWindow() { navigation_.OpenNewWindow(); }

    // The website command, of the Website button and its menu item.
    void VisitWebsite() { windows_.RunWebsiteCommand(); }
    void ShowHelp() { windows_.ShowHelp(); }
    void ShowAbout() { windows_.ShowAbout(); }

    // Commands on the visible view: find, zoom. Each view keeps its own zoom level, and
    // an open search follows the visible view when it changes. Only the Original Source
    // view finds regular expressions and whole words; the web views find the text.
    void Find(const std::string& text, bool matchCase) {
        find_.Find(text, SourceFindOptions{.matchCase = matchCase});
    }
    void Find(const std::string& text, const SourceFindOptions& options) {
        find_.Find(text, options);
    }
    void FindNext() { find_.FindNext(); }
    void FindPrevious() { find_.FindPrevious(); }
    void EndFind() { find_.End(); }
    void ZoomIn() { zoom_.ZoomIn(); }
    void ZoomOut() { zoom_.ZoomOut(); }
    void ActualSize() { zoom_.ActualSize(); }

    // "Save Images…", "Save Source…" and "Save Page…" (SaveCommands).
    void SaveImages() { saving_.SaveImages(); }
    bool CanSaveImages() const { return saving_.CanSaveImages(); }
    void SaveSource() { saving_.SaveSource(); }
    void SavePage() { saving_.SavePage(); }
    // A link of the Original Source view: the Browser view loads target and is shown, or,
    // for the target's own source, the Original Source view stays.
    void FollowSourceLink(const std::string& target, bool ownSource) {
        navigation_.FollowSourceLink(target, ownSource);
    }
    void OpenOriginalSource(const std::string& address) { navigation_.OpenOriginalSource(address); }
    // A link of the Original Source view that makes no address to follow.
    void RefuseSourceLink(const std::string& value) { navigation_.RefuseLink(value); }

    // The Image List's commands: "Refresh List"; "Export Image List…", into a file the
    // user chooses, starting in the download folder as "<page name>-images.csv"; "Save
    // Selected Images…" of rows (places in the list), into a folder the user chooses.
    void RefreshImageList() { imageList_.Refresh(); }
    void ExportImageList();
    void SaveListedImages(const std::vector<std::size_t>& rows, bool keepAllCandidates);
    // The file of the image at address while the list keeps it, for its thumbnail.
    std::string ImageFile(const std::string& address) const {
        return imageList_.ImageFile(address);
    }

    // "Export Requests…": the page's requests as a HAR file the user chooses, starting in
    // the download folder as "<page name>-requests.har".
    void ExportRequests();
    const RequestListTable& RequestTable() { return requests_.Table(); }

    // Captures the Browser view's body and runs the analysis; the Source Code and
    // Images views are then told to load the generated pages (PageAnalysisRun).
    void AnalysePage() { analysis_.Run(); }
    const AnalysisLists& Lists() const { return analysis_.Lists(); }

    // BrowserEvents.
    void StatusTextChange(int index, const std::string& text) override;
    void ProgressChange(int index, std::int32_t progress, std::int32_t progressMax) override;
    void LoadFinished(int index) override;
    void MainResourceFinished(int index) override;
    void TitleChange(int index, const std::string& text) override;
    void NewWindowRequested(int index, const std::string& address, bool byUser) override;
    void ZoomChanged(int index, double level) override { zoom_.Zoomed(index, level); }

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
    void RevealView(int view, bool sourceWasShown);

    MainWindowSurface& surface_;
    SideWindows& windows_;
    WindowViews views_;
    AddressBox addressBox_;
    ImageListKeeper imageList_;
    RequestListKeeper requests_;
    ServedSourceFollower servedSourceFollower_;
    std::string workFolder_;
    StatusPanel status_;
    FindInViews find_;
    ViewZoom zoom_;
    PageAnalysisRun analysis_;
    SaveCommands saving_;
    NavigationCommands navigation_;
    WindowOpeningLimit windowLimit_;
    RunningDownloads* downloads_ = nullptr;
};

}  // namespace quorvane
