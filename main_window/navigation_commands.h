#pragma once

#include <functional>
#include <string>

#include "main_window/address_box.h"
#include "main_window/main_window_surface.h"
#include "main_window/page_analysis_run.h"
#include "main_window/save_commands.h"
#include "main_window/status_panel.h"
#include "main_window/window_views.h"

namespace quorvane {

// The navigation commands of the main window: each runs from its button and from its
// menu item alike. Back, Forward and Send to IE skip the steps the browser cannot carry
// out; the others let a failure go on to the caller.
class NavigationCommands {
  public:
    // selectView: shows a view and selects its tab, as the View menu does.
    NavigationCommands(WindowViews& views, MainWindowSurface& surface, AddressBox& addressBox,
                       StatusPanel& status, PageAnalysisRun& analysis, SaveCommands& saving,
                       std::function<void(int view)> selectView);

    void Go();
    void Back();
    void Forward();
    void StopAll();
    // The Stop command: StopAll, and "Save Images…" ends with what it has saved.
    void Stop();
    void RefreshPage();
    void UpDir();
    void SendToIE();
    void GoHome();
    // A new window of the program on the home page.
    void OpenNewWindow();
    void Open();
    void Exit();
    // A link of the Original Source view, or a row of the Image List: the Browser view
    // loads target and is shown, or, for the target's own source, the Original Source view
    // stays. Only what a page may open is opened (OpensFromPage); panel 1 names the rest.
    void FollowSourceLink(const std::string& target, bool ownSource);
    // "Open Original Source" of a file the page names (an image of the Image List): the
    // Browser view loads it, and the Original Source view shows what the server sent.
    void OpenOriginalSource(const std::string& address);
    // A link whose value makes no address that may be opened: panel 1 names it.
    void RefuseLink(const std::string& value);

    // The address the user typed and sent with Go last.
    const std::string& TypedAddress() const { return typedAddress_; }

  private:
    // Whether target may be opened from the Browser view's page; the refusal is named.
    bool OpensFromShownPage(const std::string& target);

    WindowViews& views_;
    MainWindowSurface& surface_;
    AddressBox& addressBox_;
    StatusPanel& status_;
    PageAnalysisRun& analysis_;
    SaveCommands& saving_;
    std::function<void(int view)> selectView_;
    // The address the user typed and sent with Go: a page that could not be opened keeps
    // it in the box, rather than what the engine made of it.
    std::string typedAddress_;
};

}  // namespace quorvane
