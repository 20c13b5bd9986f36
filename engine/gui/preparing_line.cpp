#include "engine/gui/preparing_line.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace quorvane {

PreparingLine::PreparingLine(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    Hide();
    // The colours of a page in the desktop's style, as the generated pages take them; a
    // panel of its own would let the page under it show through.
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, _("Preparing the new page\u2026")), 0, wxALL,
                GetCharHeight());
    SetSizer(column);
}

void PreparingLine::ShowOver(const wxRect& place) {
    SetSize(place);
    Show();
}

}  // namespace quorvane
