#include "main_window/gui/image_list_controls.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "image_list/gui/image_list_view.h"
#include "main_window/main_window_controller.h"

namespace quorvane {
namespace {

ImageListActions ActionsOf(std::function<MainWindowController&()> controller) {
    ImageListActions actions;
    actions.refresh = [controller] { controller().RefreshImageList(); };
    actions.open = [controller](const std::string& address) {
        controller().FollowSourceLink(address, false);
    };
    actions.openSource = [controller](const std::string& address) {
        controller().OpenOriginalSource(address);
    };
    actions.save = [controller](std::vector<std::size_t> rows, bool keepAllCandidates) {
        controller().SaveListedImages(rows, keepAllCandidates);
    };
    actions.imageFile = [controller](const std::string& address) {
        return controller().ImageFile(address);
    };
    return actions;
}

}  // namespace

ImageListControls::ImageListControls(wxWindow* panel,
                                     std::function<MainWindowController&()> controller)
    : view_(new ImageListView(panel, table_, ActionsOf(std::move(controller)))) {
    view_->Hide();
}

}  // namespace quorvane
