#include "main_window/gui/find_bar.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <utility>

#include "desktop/gui/accessible_names.h"

namespace quorvane {
namespace {

// Wide enough for a long word, as other browsers' find bars are at the least.
constexpr int kMinTextWidthChars = 14;
// A search on every key would search a long page for "n", "ne", "nee"... while the user
// is still typing "needle"; the search waits for a pause as short as this.
constexpr int kTypingPauseMs = 300;

}  // namespace

FindBar::FindBar(wxWindow* parent, Actions actions)
    : wxPanel(parent, wxID_ANY), actions_(std::move(actions)), typingPause_(this) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(CreateRow(), 0, wxEXPAND | wxTOP | wxBOTTOM, FromDIP(3));
    SetSizerAndFit(column);
    BindSearchInputs();
    Bind(wxEVT_CHAR_HOOK, &FindBar::OnKey, this);
    Hide();
}

wxSizer* FindBar::CreateRow() {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const auto add = [&](wxWindow* control, int flags = wxALIGN_CENTER_VERTICAL | wxRIGHT) {
        row->Add(control, 0, flags, FromDIP(6));
        return control;
    };
    add(new wxStaticText(this, wxID_ANY, _("Find:")), wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT);
    text_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                           wxTE_PROCESS_ENTER);
    // The text takes the room the window has, down to a short phrase, so that in a
    // narrow window the row still shows where the user is.
    text_->SetMinSize(wxSize(GetCharWidth() * kMinTextWidthChars, -1));
    SetAccessibleName(*text_, _("Find"));
    row->Add(text_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    // Beside the text: "3 of 41", or what is wrong with an expression.
    status_ = new wxStaticText(this, wxID_ANY, wxString());
    add(status_);
    add(new wxButton(this, wxID_ANY, _("Previous")))->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        actions_.previous();
    });
    add(new wxButton(this, wxID_ANY, _("Next")))->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        actions_.next();
    });
    matchCase_ = new wxCheckBox(this, wxID_ANY, _("Match case"));
    add(matchCase_);
    regularExpression_ = new wxCheckBox(this, wxID_ANY, _("Regular expression"));
    add(regularExpression_);
    wholeWord_ = new wxCheckBox(this, wxID_ANY, _("Whole word"));
    add(wholeWord_);
    auto* close = new wxBitmapButton(this, wxID_ANY,
                                     wxArtProvider::GetBitmapBundle(wxART_CLOSE, wxART_BUTTON),
                                     wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    close->SetToolTip(_("Close the find bar (Escape)"));
    SetAccessibleName(*close, _("Close the find bar"));
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); });
    add(close);
    return row;
}

void FindBar::BindSearchInputs() {
    text_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { typingPause_.StartOnce(kTypingPauseMs); });
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Search(); });
    for (wxCheckBox* tick : {matchCase_, regularExpression_, wholeWord_}) {
        tick->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Search(); });
    }
    // The web views search text only: there the two ticks are greyed out.
    for (wxCheckBox* tick : {regularExpression_, wholeWord_}) {
        tick->Bind(wxEVT_UPDATE_UI,
                   [this](wxUpdateUIEvent& event) { event.Enable(actions_.expressionsUsable()); });
    }
}

void FindBar::Open() {
    if (!IsShown()) {
        Show();
        actions_.shownOrHidden();
    }
    text_->SetFocus();
    text_->SelectAll();
    Search();
}

void FindBar::Close() {
    typingPause_.Stop();
    Hide();
    actions_.shownOrHidden();
    actions_.closed();
}

void FindBar::FindAgain(bool next) {
    if (!IsShown() || text_->IsEmpty()) {
        Open();
    } else if (SearchHeldBack()) {
        return;
    } else if (next) {
        actions_.next();
    } else {
        actions_.previous();
    }
}

void FindBar::SetStatus(const std::string& status) {
    status_->SetLabel(wxString::FromUTF8(status));
    Layout();
}

std::string FindBar::Status() const {
    return status_->GetLabel().utf8_string();
}

void FindBar::Search() {
    typingPause_.Stop();
    // A tick greyed out counts as clear.
    const bool expressions = actions_.expressionsUsable();
    actions_.search(text_->GetValue().utf8_string(),
                    {.matchCase = matchCase_->GetValue(),
                     .regularExpression = expressions && regularExpression_->GetValue(),
                     .wholeWord = expressions && wholeWord_->GetValue()});
}

bool FindBar::SearchHeldBack() {
    if (!typingPause_.IsRunning()) {
        return false;
    }
    Search();
    return true;
}

// Escape is the bar's own while it has the focus (it would otherwise reach the window's
// Stop), and so is Enter in the text.
void FindBar::OnKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
        Close();
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && FindFocus() == text_ &&
               (event.GetModifiers() & ~wxMOD_SHIFT) == 0) {
        if (!SearchHeldBack()) {
            event.ShiftDown() ? actions_.previous() : actions_.next();
        }
    } else {
        event.Skip();
    }
}

}  // namespace quorvane
