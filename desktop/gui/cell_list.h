#pragma once

#include <wx/listctrl.h>

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

// A column of a CellList: its caption and its width in pixels at 96 dots an inch.
struct CellColumn {
    const char* caption;  // marked for translation, translated when shown
    int width;
};

// A table of many thousands of lines (the Image List's, the Resources tab's): a virtual
// list, which asks for the text of the lines it draws only, through cellText, and for the
// picture of each through lineImage (-1 for none). It keeps no rows of its own: its owner
// says how many lines there are and which changed.
class CellList : public wxListCtrl {
  public:
    using CellText = std::function<std::string(std::size_t line, std::size_t column)>;
    using LineImage = std::function<int(long line)>;

    CellList(wxWindow* parent, std::span<const CellColumn> columns, CellText cellText,
             LineImage lineImage = {});

    // Sets the number of lines, keeping a current line while the list has the keyboard;
    // true when it changed.
    bool SetLines(std::size_t lines);
    // The list's keys move from its current line only: without one (before the first
    // click, or after a new page emptied the list) Page Down would do nothing. The first
    // line on screen becomes current, not selected.
    void GiveACurrentLine();
    bool HasKeyboard() const;
    // Enter or a double click on a line runs open with the line; Ctrl+C runs copy.
    void BindLineActions(std::function<void(std::size_t line)> open, std::function<void()> copy);
    std::vector<std::size_t> SelectedLines() const;
    // The rows of the selected lines, where shown holds the row of each line.
    std::vector<std::size_t> SelectedRowsOf(const std::vector<std::size_t>& shown) const;
    // Drawing a line lays out the text of each of its cells, which for a screen of lines
    // costs the window tens of milliseconds: only the lines on screen that changed says
    // are drawn again.
    void RefreshLinesOnScreen(const std::function<bool(std::size_t line)>& changed);

  private:
    wxString OnGetItemText(long line, long column) const override;
    int OnGetItemImage(long line) const override;

    CellText cellText_;
    LineImage lineImage_;
};

}  // namespace quorvane
