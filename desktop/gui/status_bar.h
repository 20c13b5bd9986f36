#pragma once

#include <wx/statusbr.h>

namespace quorvane {

// A status bar that draws a changed text with the next frame, as every other control
// draws its changes. wxWidgets' own draws the bar at once, and with it any control that
// lies on it, such as a progress bar; GTK has not yet laid out that control's new state
// then, and does not draw it again once it has. A progress bar set from 10 % to 100 %
// next to a status text was left showing 10 % in 26 of 60 loads.
//
// wxWidgets draws the bar's text itself; a screen reader finds it as the name of the
// bar, which says it is a status bar.
class StatusBar : public wxStatusBar {
  public:
    explicit StatusBar(wxWindow* parent);

  protected:
    void DoUpdateStatusText(int number) override;
};

}  // namespace quorvane
