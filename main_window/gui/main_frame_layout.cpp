// MainFrame's places: twips to pixels at the display's resolution, and the places that
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
#include "inspection/gui/served_source_view.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/main_frame.h"

#include "inspection/gui/served_source_view.h"

namespace quorvane {

int MainFrame::Px(float twips) const {
    return TwipsToPixels(twips, dotsPerInch_);
}

float MainFrame::Twips(int pixels) const {
    return PixelsToTwips(pixels, dotsPerInch_);
}

void MainFrame::Place(wxWindow* control, const TwipsRect& place) const {
    control->SetSize(Px(place.Left), Px(place.Top), Px(place.Width), Px(place.Height));
}

void MainFrame::OnResize(wxSizeEvent& event) {
    // The status bar is docked below the client area, so its Top is the client height.
    const wxSize size = GetSize();
    places_.statusBar = {0, Twips(GetClientSize().GetHeight()),
                         Twips(statusBar_->GetSize().GetWidth()),
                         Twips(statusBar_->GetSize().GetHeight())};
    places_.panelWidths.resize(statusBar_->GetFieldsCount());
    ArrangeControls(Twips(size.GetWidth()), Twips(size.GetHeight()), places_);
    ApplyPlaces();
    event.Skip();
}

void MainFrame::ApplyPlaces() {
    // GTK cannot draw a tab strip smaller than its tabs and complains on the terminal
    // when asked to, so in a tiny window the strip keeps that size and the window cuts
    // it off.
    const wxSize tabs = tabStrip_->GetBestSize();
    tabStrip_->SetSize(Px(places_.tabStrip.Left), Px(places_.tabStrip.Top),
                       std::max(Px(places_.tabStrip.Width), tabs.GetWidth()),
                       std::max(Px(places_.tabStrip.Height), tabs.GetHeight()));
    TwipsRect views = places_.views;
    if (findBar_->IsShown()) {
        const ViewsAndBar split =
            TakeBarFromViews(views, Twips(findBar_->GetBestSize().GetHeight()));
        views = split.views;
        Place(findBar_, split.bar);
    }
    Place(servedSource_, views);
    for (const auto& element : views_) {
        Place(element->Window(), views);
    }
    std::vector<int> widths;
    for (float width : places_.panelWidths) {
        widths.push_back(Px(width));
    }
    statusBar_->SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    // The progress bar lives on the status bar, so its place is taken relative to it.
    TwipsRect bar = places_.progressBar;
    bar.Left -= places_.statusBar.Left;
    bar.Top -= places_.statusBar.Top;
    Place(progressBar_, bar);
    Place(addressBox_, places_.addressBox);
    Place(websiteButton_, places_.websiteButton);
    Place(goButton_, places_.goButton);
}

}  // namespace quorvane
