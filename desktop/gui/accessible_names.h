#pragma once

#include <wx/string.h>

class wxWindow;
typedef struct _AtkObject AtkObject;

namespace quorvane {

// What a control is to a screen reader where the toolkit says nothing of it: a window
// wxWidgets draws itself is a bare panel to the desktop's accessibility.
enum class AccessibleRole { Table, StatusBar };

// The name a screen reader says for the control: its visible caption or its tooltip.
// Of a window wxWidgets draws itself, the part that takes the keyboard is named, as that
// is what the screen reader meets.
void SetAccessibleName(wxWindow& control, const wxString& name);
void SetAccessibleRole(wxWindow& control, AccessibleRole role);
// Said after the name and the role; a change of it is said at once while the control has
// the keyboard.
void SetAccessibleDescription(wxWindow& control, const wxString& description);

// What a screen reader meets of the control, for what the functions above do not set.
AtkObject* AccessibleOf(wxWindow& control);
// The window inside the control that takes the keyboard: the control itself, but for a
// list, which takes it in the window of its lines.
wxWindow& KeyboardPartOf(wxWindow& control);

}  // namespace quorvane
