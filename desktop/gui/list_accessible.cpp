#include "desktop/gui/list_accessible.h"

#include <wx/listctrl.h>

#include "desktop/gui/accessible_names.h"

namespace quorvane {

void ExposeListLines(wxListCtrl& list, const wxString& name) {
    SetAccessibleName(list, name);
    SetAccessibleRole(list, AccessibleRole::Table);
    list.Bind(wxEVT_LIST_ITEM_FOCUSED, [&list](wxListEvent& event) {
        DescribeCurrentLine(list);
        event.Skip();
    });
    // A list without a current line, as before the first click, has nothing to tell: the
    // first line on screen becomes current as the list gets the keyboard (not selected),
    // which also lets the keys move from it at once.
    KeyboardPartOf(list).Bind(wxEVT_SET_FOCUS, [&list](wxFocusEvent& event) {
        list.CallAfter([&list] {
            if (list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) < 0 &&
                list.GetItemCount() > 0) {
                list.SetItemState(list.GetTopItem(), wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
            }
            DescribeCurrentLine(list);
        });
        event.Skip();
    });
}

void DescribeCurrentLine(wxListCtrl& list) {
    const long line = list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    wxString description;
    if (line >= 0 && line < list.GetItemCount()) {
        for (int column = 0; column < list.GetColumnCount(); ++column) {
            wxListItem heading;
            heading.SetMask(wxLIST_MASK_TEXT);
            list.GetColumn(column, heading);
            description << (description.empty() ? "" : "; ") << heading.GetText() << ": "
                        << list.GetItemText(line, column).Strip(wxString::both);
        }
    }
    SetAccessibleDescription(list, description);
}

}  // namespace quorvane
