#include "main_window/gui/twips_placer.h"

#include <wx/window.h>

#include "desktop/twips.h"

namespace quorvane {

int TwipsPlacer::Px(float twips) const {
    return TwipsToPixels(twips, dotsPerInch_);
}

float TwipsPlacer::Twips(int pixels) const {
    return PixelsToTwips(pixels, dotsPerInch_);
}

void TwipsPlacer::Place(wxWindow* control, const TwipsRect& place) const {
    control->SetSize(Px(place.Left), Px(place.Top), Px(place.Width), Px(place.Height));
}

}  // namespace quorvane
