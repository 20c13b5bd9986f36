#pragma once

#include <wx/dialog.h>
#include <wx/intl.h>

#include <vector>

#include "main_window/shortcut_list.h"

class wxListView;
class wxSearchCtrl;

namespace quorvane {

// The Keyboard Shortcuts window: every command a key runs, under the title of its menu,
// and a search box that keeps only the lines holding what is typed. Escape closes it.
class ShortcutsWindow : public wxDialog {
  public:
    static constexpr const char* kTitle = wxTRANSLATE("Keyboard Shortcuts");

    explicit ShortcutsWindow(wxWindow* parent);

    wxSearchCtrl* SearchBox() const { return search_; }
    wxListView* List() const { return list_; }

  private:
    // A heading line for each group that keeps a row, then its rows.
    void ShowRows(const std::vector<ShortcutRow>& rows);
    void OnKey(wxKeyEvent& event);

    const std::vector<ShortcutRow> rows_ = ShortcutRows();
    wxSearchCtrl* search_;
    wxListView* list_;
};

}  // namespace quorvane
