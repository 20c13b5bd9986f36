#pragma once

#include "image_list/image_list_pane.h"

namespace quorvane::testing {

// The Image List view without a display: whether it is shown, and how often it was told
// that its table changed.
class FakeImageListPane : public ImageListPane {
  public:
    int changes = 0;
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    void TableChanged() override { ++changes; }

  private:
    bool visible_ = false;
};

}  // namespace quorvane::testing
