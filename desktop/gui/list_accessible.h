#pragma once

class wxListCtrl;
class wxString;

namespace quorvane {

// A list wxWidgets draws itself is a bare panel to a screen reader. This makes it a table
// called name whose current line is told as the table's description, each cell after
// its column's caption ("Command: Zoom In; Keys: Ctrl++"), which the screen reader says
// as the user moves from line to line. A list without a current line gets one as it gets
// the keyboard.
void ExposeListLines(wxListCtrl& list, const wxString& name);

// Tells of the current line again, for a line the program made current or whose cells
// changed; the list itself tells only of the user's moves.
void DescribeCurrentLine(wxListCtrl& list);

}  // namespace quorvane
