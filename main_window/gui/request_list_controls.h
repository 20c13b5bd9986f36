#pragma once

#include <functional>
#include <string>

#include "requests/request_list_table.h"

class wxWindow;

namespace quorvane {

class MainWindowController;
class RequestListView;

// The "Resources" view on the sixth tab: the table of every request of the page, and the
// pane that shows it, whose rows ask the window's controller.
class RequestListControls {
  public:
    // controller: the window's controller, made after this part, whose pane it needs;
    // shown: the view showed the log's rows again, as it does at most every 100 ms;
    // openSource: a text file of the page is to be shown in the Original Source view.
    RequestListControls(wxWindow* panel, std::function<MainWindowController&()> controller,
                        std::function<void()> shown,
                        std::function<void(const std::string&)> openSource);
    RequestListControls(const RequestListControls&) = delete;
    RequestListControls& operator=(const RequestListControls&) = delete;

    RequestListView* View() const { return view_; }
    // What the view shows; the controller fills it.
    RequestListTable& Table() { return table_; }

  private:
    RequestListTable table_;
    RequestListView* view_;
};

}  // namespace quorvane
