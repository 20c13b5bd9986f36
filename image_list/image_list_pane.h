#pragma once

namespace quorvane {

// The "Image List" view as the main window's logic sees it: a pane that shows the rows
// of an ImageListTable. The window implements it; the logic tests use a fake.
class ImageListPane {
  public:
    virtual ~ImageListPane() = default;

    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // The table's rows changed: the pane shows them again, once the window is idle.
    virtual void TableChanged() = 0;
};

}  // namespace quorvane
