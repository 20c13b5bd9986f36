#pragma once

class wxString;
class wxStyledTextCtrl;

namespace quorvane {

// Lets a screen reader read the code viewer's text and follow its caret. wxWidgets draws
// the viewer itself, and GTK gives such a window an accessible without text: a screen
// reader would say "panel" and then nothing as the caret moves. The viewer gets an
// accessible of its own instead, a read-only text of many lines called name, whose text,
// caret, selection and character places are the viewer's.
void ExposeCodeViewText(wxStyledTextCtrl& view, const wxString& name);

}  // namespace quorvane
