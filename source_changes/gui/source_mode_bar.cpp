#include "source_changes/gui/source_mode_bar.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <array>
#include <utility>

#include "desktop/gui/accessible_names.h"

namespace quorvane {
namespace {

// In the order of SourceMode.
constexpr std::array<const char*, 3> kModeCaptions = {
    wxTRANSLATE("As served"), wxTRANSLATE("As the page is now"), wxTRANSLATE("Changes")};

}  // namespace

SourceModeBar::SourceModeBar(wxWindow* parent, std::function<void(SourceMode)> chosen,
                             std::function<void()> readAgain)
    : wxPanel(parent),
      chosen_(std::move(chosen)),
      readAgain_(std::move(readAgain)),
      modes_(new wxChoice(this, wxID_ANY)),
      readAgainButton_(new wxButton(this, wxID_ANY, _("Read the Page Again"), wxDefaultPosition,
                                    wxDefaultSize, wxBU_EXACTFIT)),
      note_(new wxStaticText(this, wxID_ANY, wxString())) {
    for (const char* caption : kModeCaptions) {
        modes_->Append(wxGetTranslation(caption));
    }
    modes_->SetToolTip(_("What the Original Source view shows of the page"));
    SetAccessibleName(*modes_, _("Served or Live"));
    readAgainButton_->SetToolTip(_("Reads the page as it is now once more"));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const int gap = FromDIP(6);
    row->Add(modes_, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    row->Add(readAgainButton_, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    row->Add(note_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    SetSizer(row);
    modes_->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
        chosen_(static_cast<SourceMode>(event.GetSelection()));
    });
    readAgainButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { readAgain_(); });
}

void SourceModeBar::ShowState(SourceMode mode, const std::string& note) {
    modes_->SetSelection(static_cast<int>(mode));
    readAgainButton_->Enable(mode != SourceMode::AsServed);
    note_->SetLabel(wxString::FromUTF8(note));
    Layout();
}

std::string SourceModeBar::Note() const {
    return note_->GetLabel().utf8_string();
}

}  // namespace quorvane
