#pragma once

#include <functional>

class wxCheckBox;
class wxSizer;
class wxTextCtrl;
class wxWindow;
class wxWrapSizer;

namespace quorvane {

// The start of a list's filter row, the same in every list of the page: "Address
// contains" (a text, or a regular expression) and "Type". The list adds its own fields
// after them; the row wraps where the window is too narrow for it (a large text scale, a
// narrow window), since a control squeezed below its size overlaps the next one.
class ListFilterRow {
  public:
    // changed runs whenever one of the row's fields changes.
    ListFilterRow(wxWindow* parent, int minimumTextWidth, std::function<void()> changed);

    wxWrapSizer* Row() const { return row_; }
    // Adds a field of the list's own, centred beside the others.
    void Add(wxWindow* field);
    void Add(wxSizer* fields);
    // Adds the field that takes the room left, such as the count of rows shown.
    void AddStretching(wxWindow* field);

    wxTextCtrl* Text() const { return text_; }
    wxCheckBox* RegularExpression() const { return regularExpression_; }
    wxTextCtrl* Type() const { return type_; }

  private:
    int gap_;
    wxWrapSizer* row_;
    wxTextCtrl* text_;
    wxCheckBox* regularExpression_;
    wxTextCtrl* type_;
};

}  // namespace quorvane
