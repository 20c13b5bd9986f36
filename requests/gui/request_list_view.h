#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/gui/list_filter_row.h"
#include "requests/request_list_pane.h"
#include "requests/request_list_table.h"

class wxCheckBox;
class wxChoice;
class wxListEvent;
class wxStaticText;
class wxTextCtrl;

namespace quorvane {

class CellList;
class HeadersPane;

// What the Resources tab's commands do beyond the table itself.
struct RequestListActions {
    std::function<void(const std::string& address)> open;  // in the Browser view
    // In the Original Source view, as served: of a text file of the page only.
    std::function<void(const std::string& address)> openSource = [](const std::string&) {};
    // The table was shown again with the log's rows, at most every 100 ms while they come.
    std::function<void()> shown = [] {};
};

// The "Resources" view: a filter row (address text or regular expression, type or kind,
// status class, third party only), the count, the table of the page's requests (a
// CellList, as the Image List's), and beneath it the headers of the selected row. A click
// on a column heading sorts by it, a second click the other way.
class RequestListView : public wxPanel, public RequestListPane {
  public:
    RequestListView(wxWindow* parent, RequestListTable& table, RequestListActions actions);

    // RequestListPane.
    bool Visible() const override { return IsShown(); }
    void SetVisible(bool visible) override { Show(visible); }
    void TableChanged() override;

    // Gives the keyboard to the list, so that Page Down and the arrows move it at once.
    void FocusList();
    // The selected rows, by their place in the log.
    std::vector<std::size_t> SelectedRows() const;
    // Copies the selected rows, or all rows shown when none is, as tab-apart lines.
    void CopySelectedRows() const;
    // Shows the row's file in the Original Source view when it is text (ShowsAsText);
    // nothing happens for another.
    void OpenOriginalSource(std::size_t row);
    std::string CountText() const;
    std::string HeadersText() const;

  private:
    wxSizer* MakeFilterRow();
    void ApplyFilter();
    void ShowTable();
    void ShowSelectedHeaders();
    void OnColumnClick(wxListEvent& event);
    void OnContextMenu(wxListEvent& event);

    RequestListTable& table_;
    RequestListActions actions_;
    std::unique_ptr<ListFilterRow> filter_;
    wxChoice* status_ = nullptr;
    wxCheckBox* thirdPartyOnly_ = nullptr;
    wxStaticText* count_ = nullptr;
    CellList* list_ = nullptr;
    HeadersPane* headers_ = nullptr;
    bool showPending_ = false;
    wxTimer showTimer_{this};
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace quorvane
