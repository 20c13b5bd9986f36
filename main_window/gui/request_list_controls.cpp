#include "main_window/gui/request_list_controls.h"

#include <string>
#include <utility>

#include "main_window/main_window_controller.h"
#include "requests/gui/request_list_view.h"

namespace quorvane {

// An address opens in the Browser view under the rule of the Original Source's links.
RequestListControls::RequestListControls(wxWindow* panel,
                                         std::function<MainWindowController&()> controller,
                                         std::function<void()> shown,
                                         std::function<void(const std::string&)> openSource)
    : view_(new RequestListView(
          panel, table_,
          RequestListActions{.open =
                                 [controller = std::move(controller)](const std::string& address) {
                                     controller().FollowSourceLink(address, false);
                                 },
                             .openSource = std::move(openSource),
                             .shown = std::move(shown)})) {
    view_->Hide();
}

}  // namespace quorvane
