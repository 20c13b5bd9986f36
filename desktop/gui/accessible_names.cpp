#include "desktop/gui/accessible_names.h"

#include <atk/atk.h>
#include <gtk/gtk.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#include <cstring>

namespace quorvane {
namespace {

AtkRole AtkRoleOf(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Table:
            return ATK_ROLE_TABLE;
        case AccessibleRole::StatusBar:
            return ATK_ROLE_STATUSBAR;
    }
    return ATK_ROLE_UNKNOWN;
}

// A screen reader says a changed name or description of what has the keyboard, and ATK
// tells of every one set: the same text again (the same line of a list shown anew, the
// same status) is left unsaid.
bool Same(const char* shown, const wxString& text) {
    return shown != nullptr && std::strcmp(shown, text.utf8_str()) == 0;
}

}  // namespace

// wxWidgets' list draws its lines in a window of its own inside it, beside the one of
// its column titles; that window takes the keyboard.
wxWindow& KeyboardPartOf(wxWindow& control) {
    if (dynamic_cast<wxListCtrl*>(&control) != nullptr) {
        for (wxWindow* part : control.GetChildren()) {
            if (part->GetName() != "wxlistctrlcolumntitles") {
                return *part;
            }
        }
    }
    return control;
}

// wxWidgets' own windows keep their GTK widget inside a frame that scrolls them; the
// inner one has the keyboard.
// A text of many lines is GTK's text view inside a frame that scrolls it.
AtkObject* AccessibleOf(wxWindow& control) {
    wxWindow& part = KeyboardPartOf(control);
    GtkWidget* widget = part.m_wxwindow != nullptr ? part.m_wxwindow : part.m_widget;
    if (dynamic_cast<wxTextCtrl*>(&part) != nullptr && GTK_IS_SCROLLED_WINDOW(widget) &&
        gtk_bin_get_child(GTK_BIN(widget)) != nullptr) {
        widget = gtk_bin_get_child(GTK_BIN(widget));
    }
    return gtk_widget_get_accessible(widget);
}

// A list to choose from opens a menu of its own, which is the list's to name.
void SetAccessibleName(wxWindow& control, const wxString& name) {
    AtkObject* accessible = AccessibleOf(control);
    if (Same(atk_object_get_name(accessible), name)) {
        return;
    }
    atk_object_set_name(accessible, name.utf8_str());
    if (GTK_IS_COMBO_BOX(control.m_widget)) {
        atk_object_set_name(gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(control.m_widget)),
                            name.utf8_str());
    }
}

void SetAccessibleRole(wxWindow& control, AccessibleRole role) {
    atk_object_set_role(AccessibleOf(control), AtkRoleOf(role));
}

void SetAccessibleDescription(wxWindow& control, const wxString& description) {
    AtkObject* accessible = AccessibleOf(control);
    if (!Same(atk_object_get_description(accessible), description)) {
        atk_object_set_description(accessible, description.utf8_str());
    }
}

}  // namespace quorvane
