#pragma once

#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include <chrono>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/ordered_worker.h"
#include "desktop/gui/list_filter_row.h"
#include "image_list/image_list_pane.h"
#include "image_list/image_list_table.h"
#include "image_list/thumbnail_slots.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxImage;
class wxImageList;
class wxSpinCtrl;
class wxStaticText;
class wxTextCtrl;

namespace quorvane {

class CellList;

// What the Image List's commands do beyond the list itself.
struct ImageListActions {
    std::function<void()> refresh;                         // "Refresh List"
    std::function<void(const std::string& address)> open;  // in the Browser view
    // "Open Original Source": what the server sent for address, as text.
    std::function<void(const std::string& address)> openSource;
    // "Save Selected Images…": the rows by their place in the table's list.
    std::function<void(std::vector<std::size_t> rows, bool keepAllCandidates)> save;
    // The file of the image at address while the list keeps one; "" when none.
    std::function<std::string(const std::string& address)> imageFile;
};

// The "Image List" view: a filter row (address text or regular expression, type, minimum
// width and height, a finding), the count, a Refresh List button, a line that sums the
// findings (broken, oversized, without alt text, duplicate), and a virtual table that asks for
// the cells of the rows on screen only, so that tens of thousands of rows cost no stall.
// A click on a column heading sorts by it, a second click the other way. Thumbnails are
// drawn only for the rows on screen, and at most ThumbnailSlots::kSlots are kept.
class ImageListView : public wxPanel, public ImageListPane {
  public:
    ImageListView(wxWindow* parent, ImageListTable& table, ImageListActions actions);

    // ImageListPane.
    bool Visible() const override { return IsShown(); }
    void SetVisible(bool visible) override { Show(visible); }
    void TableChanged() override;

    // Gives the keyboard to the list, not the filter row, so that Page Down and the arrows
    // move it at once.
    void FocusList();
    // Whether the list has the keyboard.
    bool ListHasKeyboard() const;
    // The selected rows, by their place in the table's list.
    std::vector<std::size_t> SelectedRows() const;
    // Saves the selected rows, or all rows shown when none is.
    void SaveSelected();
    void CopySelectedAddresses() const;
    std::size_t ShownLines() const;
    std::string CountText() const;
    std::string AuditText() const;

  private:
    wxSizer* MakeFilterRow();
    // The table, with its thumbnails and its keys and clicks.
    CellList* MakeList();
    wxSizer* Captioned(const wxString& caption, wxWindow* field);
    void ApplyFilter();
    void ShowTable();
    void GiveListACurrentLine();
    // Draws again the lines on screen of rows (places in the table's list), or those
    // changed says changed.
    void RefreshLinesOnScreen(std::vector<std::size_t> rows);
    void RefreshLinesOnScreen(const std::function<bool(std::size_t row, const ImageRow&)>& changed);
    void OnColumnClick(wxListEvent& event);
    void OnContextMenu(wxListEvent& event);
    // The slot of the line's thumbnail, or -1 while it has none; one not drawn yet is
    // drawn once the window is idle.
    int ThumbnailOf(long line);
    void DecodeWaitingThumbnails();
    void ShowThumbnail(const std::string& address, const wxImage& picture);

    ImageListTable& table_;
    ImageListActions actions_;
    std::unique_ptr<ListFilterRow> filter_;
    wxSpinCtrl* minimumWidth_ = nullptr;
    wxSpinCtrl* minimumHeight_ = nullptr;
    wxChoice* audit_ = nullptr;
    wxStaticText* count_ = nullptr;
    wxStaticText* audits_ = nullptr;
    wxCheckBox* keepAllCandidates_ = nullptr;
    CellList* list_ = nullptr;
    bool showPending_ = false;
    wxTimer showTimer_{this};  // a table of new facts only, shown at its turn
    std::chrono::steady_clock::time_point lastShown_{};
    std::size_t rowsShown_ = 0;
    wxImageList* thumbnails_ = nullptr;  // owned by the list
    ThumbnailSlots slots_;
    std::vector<std::string> waitingThumbnails_;
    std::unordered_set<std::string> withoutThumbnail_;  // until the table changes
    std::unordered_set<std::string> decoding_;
    // Decodes the pictures; last, so that it is stopped before what its answers reach goes.
    OrderedWorker pictures_{[this](std::function<void()> step) { CallAfter(std::move(step)); }};
};

}  // namespace quorvane
