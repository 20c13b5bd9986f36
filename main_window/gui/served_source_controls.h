#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "inspection/gui/served_source_settings.h"
#include "main_window/commands.h"

class wxWindow;

namespace quorvane {

class ServedSourceView;

// The "Original Source" view on the fourth tab: the code viewer, its look kept in the
// settings file, and Go to Line.
class ServedSourceControls {
  public:
    // follow: a link of the view was clicked (target, and whether its own source is asked).
    using FollowLink = std::function<void(const std::string& target, bool ownSource)>;
    // refuse: a link was clicked whose value makes no address the view follows.
    using RefuseLink = std::function<void(const std::string& value)>;
    // settingsFile: where the look is kept.
    ServedSourceControls(wxWindow* panel, const std::filesystem::path& settingsFile,
                         FollowLink follow, RefuseLink refuse);
    ServedSourceControls(const ServedSourceControls&) = delete;
    ServedSourceControls& operator=(const ServedSourceControls&) = delete;

    ServedSourceView* View() const { return view_; }
    // Asks for a line number and shows that line.
    void GoToLine(wxWindow* dialogParent);
    void FlipSwitch(SourceSwitch which);
    bool SwitchOn(SourceSwitch which) const;

  private:
    ServedSourceSettings settings_;
    ServedSourceLook look_;
    ServedSourceView* view_;
};

}  // namespace quorvane
