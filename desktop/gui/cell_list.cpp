#include "desktop/gui/cell_list.h"

#include <wx/intl.h>

#include <algorithm>
#include <utility>

#include "desktop/gui/list_accessible.h"

namespace quorvane {

CellList::CellList(wxWindow* parent, std::span<const CellColumn> columns, CellText cellText,
                   LineImage lineImage)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      cellText_(std::move(cellText)),
      lineImage_(std::move(lineImage)) {
    for (const CellColumn& column : columns) {
        AppendColumn(wxGetTranslation(column.caption), wxLIST_FORMAT_LEFT, FromDIP(column.width));
    }
}

wxString CellList::OnGetItemText(long line, long column) const {
    if (line < 0 || line >= GetItemCount() || column < 0) {
        return wxString();
    }
    const std::string text =
        cellText_(static_cast<std::size_t>(line), static_cast<std::size_t>(column));
    return wxString::FromUTF8(text.data(), text.size());
}

int CellList::OnGetItemImage(long line) const {
    return lineImage_ ? lineImage_(line) : -1;
}

bool CellList::SetLines(std::size_t lines) {
    const auto count = static_cast<long>(lines);
    if (GetItemCount() == count) {
        return false;
    }
    SetItemCount(count);
    if (HasKeyboard()) {
        GiveACurrentLine();
    }
    return true;
}

void CellList::GiveACurrentLine() {
    const bool hasCurrent = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) >= 0;
    if (!hasCurrent && GetItemCount() > 0) {
        SetItemState(GetTopItem(), wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    }
    DescribeCurrentLine(*this);
}

bool CellList::HasKeyboard() const {
    const wxWindow* focus = wxWindow::FindFocus();
    // The generic list takes the keys in a window of its own inside it.
    return focus != nullptr && (focus == this || focus->GetParent() == this);
}

std::vector<std::size_t> CellList::SelectedLines() const {
    std::vector<std::size_t> lines;
    for (long line = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); line != -1;
         line = GetNextItem(line, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        lines.push_back(static_cast<std::size_t>(line));
    }
    return lines;
}

void CellList::RefreshLinesOnScreen(const std::function<bool(std::size_t line)>& changed) {
    const long top = std::max(0L, GetTopItem());
    // The line partly shown under the last whole one is on screen too.
    const long end = std::min<long>(top + GetCountPerPage() + 1, GetItemCount());
    for (long line = top; line < end; ++line) {
        if (changed(static_cast<std::size_t>(line))) {
            RefreshItem(line);
        }
    }
}

void CellList::BindLineActions(std::function<void(std::size_t line)> open,
                               std::function<void()> copy) {
    Bind(wxEVT_LIST_ITEM_ACTIVATED, [open = std::move(open)](wxListEvent& event) {
        if (event.GetIndex() >= 0) {
            open(static_cast<std::size_t>(event.GetIndex()));
        }
    });
    Bind(wxEVT_KEY_DOWN, [copy = std::move(copy)](wxKeyEvent& event) {
        if (event.GetModifiers() == wxMOD_CONTROL && event.GetKeyCode() == 'C') {
            copy();
        } else {
            event.Skip();
        }
    });
}

std::vector<std::size_t> CellList::SelectedRowsOf(const std::vector<std::size_t>& shown) const {
    std::vector<std::size_t> rows;
    for (const std::size_t line : SelectedLines()) {
        if (line < shown.size()) {
            rows.push_back(shown[line]);
        }
    }
    return rows;
}

}  // namespace quorvane
