#include "source_changes/gui/source_mode_bar.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <array>
#include <utility>

#include "desktop/gui/accessible_names.h"

namespace quorvane {
namespace {

// In the order of SourceMode.
constexpr std::array<const char*, 3> kModeCaptions = {
    wxTRANSLATE("As served"), wxTRANSLATE("As the page is now"), wxTRANSLATE("Changes")};
constexpr const char* kMainDocument = wxTRANSLATE("Main document");

}  // namespace

SourceModeBar::SourceModeBar(wxWindow* parent, std::function<void(SourceMode)> chosen,
                             std::function<void(const std::string&)> frameChosen,
                             std::function<void()> readAgain)
    : wxPanel(parent),
      chosen_(std::move(chosen)),
      frameChosen_(std::move(frameChosen)),
      readAgain_(std::move(readAgain)),
      modes_(new wxChoice(this, wxID_ANY)),
      // Of a width of its own, as an address may be of any length.
      frameChooser_(new wxChoice(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(300, -1)))),
      readAgainButton_(new wxButton(this, wxID_ANY, _("Read the Page Again"), wxDefaultPosition,
                                    wxDefaultSize, wxBU_EXACTFIT)),
      note_(new wxStaticText(this, wxID_ANY, wxString())) {
    for (const char* caption : kModeCaptions) {
        modes_->Append(wxGetTranslation(caption));
    }
    modes_->SetToolTip(_("What the Original Source view shows of the page"));
    SetAccessibleName(*modes_, _("Served or Live"));
    frameChooser_->Append(wxGetTranslation(kMainDocument));
    frameChooser_->SetSelection(0);
    frameChooser_->Disable();
    frameChooser_->SetToolTip(_("The document shown: the page's own or a frame's"));
    SetAccessibleName(*frameChooser_, _("Frame"));
    readAgainButton_->SetToolTip(_("Reads the page as it is now once more"));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const int gap = FromDIP(6);
    row->Add(modes_, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    row->Add(frameChooser_, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    row->Add(readAgainButton_, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap / 2);
    row->Add(note_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    SetSizer(row);
    modes_->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
        chosen_(static_cast<SourceMode>(event.GetSelection()));
    });
    frameChooser_->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
        const int at = event.GetSelection();
        frameChosen_(at > 0 ? frames_[static_cast<std::size_t>(at - 1)] : std::string());
    });
    readAgainButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { readAgain_(); });
}

void SourceModeBar::ShowState(SourceMode mode, const std::string& note) {
    modes_->SetSelection(static_cast<int>(mode));
    readAgainButton_->Enable(mode != SourceMode::AsServed);
    note_->SetLabel(wxString::FromUTF8(note));
    Layout();
}

// The list is made again only when it changed, so that an open list stays as it is.
void SourceModeBar::ShowFrames(const std::vector<std::string>& frames, const std::string& chosen) {
    if (frames != frames_) {
        frames_ = frames;
        frameChooser_->Freeze();
        frameChooser_->Clear();
        frameChooser_->Append(wxGetTranslation(kMainDocument));
        for (const std::string& address : frames_) {
            frameChooser_->Append(wxString::FromUTF8(address));
        }
        frameChooser_->Thaw();
        frameChooser_->Enable(!frames_.empty());
    }
    const auto at = std::ranges::find(frames_, chosen);
    frameChooser_->SetSelection(
        chosen.empty() || at == frames_.end() ? 0 : static_cast<int>(at - frames_.begin()) + 1);
    Layout();
}

std::string SourceModeBar::Note() const {
    return note_->GetLabel().utf8_string();
}

}  // namespace quorvane
