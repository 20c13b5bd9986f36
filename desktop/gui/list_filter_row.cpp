#include "desktop/gui/list_filter_row.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/wrapsizer.h>

#include <utility>

#include "desktop/gui/accessible_names.h"

namespace quorvane {

ListFilterRow::ListFilterRow(wxWindow* parent, int minimumTextWidth, std::function<void()> changed)
    : gap_(parent->FromDIP(6)),
      row_(new wxWrapSizer(wxHORIZONTAL)),
      text_(new wxTextCtrl(parent, wxID_ANY)),
      regularExpression_(new wxCheckBox(parent, wxID_ANY, _("Regular expression"))),
      type_(new wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition,
                           wxSize(parent->FromDIP(90), -1))) {
    text_->SetHint(_("Address contains"));
    SetAccessibleName(*text_, _("Address contains"));
    text_->SetMinSize(wxSize(parent->FromDIP(minimumTextWidth), -1));
    type_->SetHint(_("Type"));
    SetAccessibleName(*type_, _("Type"));
    row_->Add(text_, wxSizerFlags(1).CentreVertical().Border(wxRIGHT | wxBOTTOM, gap_));
    Add(regularExpression_);
    Add(type_);
    auto onChange = [changed = std::move(changed)](wxCommandEvent&) { changed(); };
    text_->Bind(wxEVT_TEXT, onChange);
    type_->Bind(wxEVT_TEXT, onChange);
    regularExpression_->Bind(wxEVT_CHECKBOX, onChange);
}

void ListFilterRow::Add(wxWindow* field) {
    row_->Add(field, wxSizerFlags().CentreVertical().Border(wxRIGHT | wxBOTTOM, gap_));
}

void ListFilterRow::Add(wxSizer* fields) {
    row_->Add(fields, wxSizerFlags().CentreVertical().Border(wxRIGHT | wxBOTTOM, gap_));
}

void ListFilterRow::AddStretching(wxWindow* field) {
    row_->Add(field, wxSizerFlags(1).CentreVertical().Border(wxRIGHT | wxBOTTOM, gap_));
}

}  // namespace quorvane
