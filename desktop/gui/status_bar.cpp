#include "desktop/gui/status_bar.h"

#include "desktop/gui/accessible_names.h"

namespace quorvane {

StatusBar::StatusBar(wxWindow* parent) : wxStatusBar(parent, wxID_ANY) {
    SetAccessibleRole(*this, AccessibleRole::StatusBar);
}

void StatusBar::DoUpdateStatusText(int number) {
    wxRect field;
    GetFieldRect(number, field);
    Refresh(true, &field);
    if (number == 0) {
        SetAccessibleName(*this, GetStatusText(0));
    }
}

}  // namespace quorvane
