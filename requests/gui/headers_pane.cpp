#include "requests/gui/headers_pane.h"

#include <wx/intl.h>

#include "desktop/gui/accessible_names.h"

namespace quorvane {

HeadersPane::HeadersPane(wxWindow* parent)
    : wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                 wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP) {
    SetAccessibleName(*this, _("Headers"));
}

void HeadersPane::ShowText(const std::string& text) {
    const wxString shown = wxString::FromUTF8(text.data(), text.size());
    if (shown != GetValue()) {
        ChangeValue(shown);
    }
}

std::string HeadersPane::Text() const {
    return GetValue().utf8_string();
}

}  // namespace quorvane
