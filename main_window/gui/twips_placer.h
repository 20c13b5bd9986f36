#pragma once

#include "main_window/layout.h"

class wxWindow;

namespace quorvane {

// Twips to pixels at the display's resolution: the one conversion of the main window,
// which lays its controls out in twips.
class TwipsPlacer {
  public:
    explicit TwipsPlacer(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    int Px(float twips) const;
    float Twips(int pixels) const;
    void Place(wxWindow* control, const TwipsRect& place) const;

  private:
    int dotsPerInch_;
};

}  // namespace quorvane
