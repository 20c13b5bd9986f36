// Form1's places: twips to pixels at the display's resolution, and the places that
// ArrangeControls gives applied to the controls, with the find bar under the views.
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <algorithm>
#include <vector>

#include "desktop/twips.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/main_frame.h"

namespace quorvane {

int Form1::Px(float twips) const {
    return TwipsToPixels(twips, dotsPerInch_);
}

float Form1::Twips(int pixels) const {
    return PixelsToTwips(pixels, dotsPerInch_);
}

void Form1::Place(wxWindow* control, const TwipsRect& place) const {
    control->SetSize(Px(place.Left), Px(place.Top), Px(place.Width), Px(place.Height));
}

void Form1::OnResize(wxSizeEvent& event) {
    // The status bar is docked below the client area, so its Top is the client height.
    const wxSize size = GetSize();
    places_.sb1 = {0, Twips(GetClientSize().GetHeight()), Twips(sb1_->GetSize().GetWidth()),
                   Twips(sb1_->GetSize().GetHeight())};
    places_.panelWidths.resize(sb1_->GetFieldsCount());
    ArrangeControls(Twips(size.GetWidth()), Twips(size.GetHeight()), places_);
    ApplyPlaces();
    event.Skip();
}

void Form1::ApplyPlaces() {
    // GTK cannot draw a tab strip smaller than its tabs and complains on the terminal
    // when asked to, so in a tiny window the strip keeps that size and the window cuts
    // it off.
    const wxSize tabs = TabStrip1_->GetBestSize();
    TabStrip1_->SetSize(Px(places_.TabStrip1.Left), Px(places_.TabStrip1.Top),
                        std::max(Px(places_.TabStrip1.Width), tabs.GetWidth()),
                        std::max(Px(places_.TabStrip1.Height), tabs.GetHeight()));
    TwipsRect views = places_.wb;
    if (findBar_->IsShown()) {
        const ViewsAndBar split =
            TakeBarFromViews(views, Twips(findBar_->GetBestSize().GetHeight()));
        views = split.views;
        Place(findBar_, split.bar);
    }
    for (const auto& element : wb_) {
        Place(element->Window(), views);
    }
    std::vector<int> widths;
    for (float width : places_.panelWidths) {
        widths.push_back(Px(width));
    }
    sb1_->SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    // The progress bar lives on the status bar, so its place is taken relative to it.
    TwipsRect bar = places_.pb1;
    bar.Left -= places_.sb1.Left;
    bar.Top -= places_.sb1.Top;
    Place(pb1_, bar);
    Place(txtUrl_, places_.txtUrl);
    Place(cmdWebsite_, places_.cmdWebsite);
    Place(cmdGo_, places_.cmdGo);
}

}  // namespace quorvane
