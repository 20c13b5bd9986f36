#pragma once

#include <functional>

#include "image_list/image_list_table.h"

class wxWindow;

namespace quorvane {

class ImageListView;
class MainWindowController;

// The "Image List" view on the fifth tab: the table of every image the page shows or names,
// and the pane that shows it, whose buttons and rows ask the window's controller.
class ImageListControls {
  public:
    // controller: the window's controller, made after this part, whose pane it needs.
    ImageListControls(wxWindow* panel, std::function<MainWindowController&()> controller);
    ImageListControls(const ImageListControls&) = delete;
    ImageListControls& operator=(const ImageListControls&) = delete;

    ImageListView* View() const { return view_; }
    // What the view shows; the controller fills it.
    ImageListTable& Table() { return table_; }
    const ImageListTable& Table() const { return table_; }

  private:
    ImageListTable table_;
    ImageListView* view_;
};

}  // namespace quorvane
