#include "desktop/gui/code_view_accessible.h"

#include <atk/atk.h>
#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>
#include <wx/stc/stc.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <array>

#include "desktop/gui/accessible_names.h"
#include "desktop/gui/character_places.h"
#include "desktop/gui/own_accessible.h"

namespace quorvane {
namespace {

// The viewer's accessible: GTK's own for a window of wxWidgets (its place, states and
// focus), with the text interface besides.
struct CodeTextAccessible {
    GtkContainerAccessible parent;
    wxStyledTextCtrl* view;
    CharacterPlaces places;
};

struct CodeTextAccessibleClass {
    GtkContainerAccessibleClass parentClass;
};

void code_text_accessible_text_init(AtkTextIface* text);

G_DEFINE_TYPE_WITH_CODE(CodeTextAccessible, code_text_accessible, GTK_TYPE_CONTAINER_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, code_text_accessible_text_init))

CodeTextAccessible* Own(gpointer accessible) {
    return G_TYPE_CHECK_INSTANCE_CAST(accessible, code_text_accessible_get_type(),
                                      CodeTextAccessible);
}

// Once GTK has destroyed the widget (the viewer is going), there is no text.
wxStyledTextCtrl* ViewOf(AtkText* text) {
    if (gtk_accessible_get_widget(GTK_ACCESSIBLE(text)) == nullptr) {
        return nullptr;
    }
    return Own(text)->view;
}

int PositionOf(AtkText* text, gint offset) {
    return Own(text)->places.PositionOf(*Own(text)->view, offset);
}

gint OffsetOf(AtkText* text, int position) {
    return Own(text)->places.OffsetOf(*Own(text)->view, position);
}

// The bytes between two positions as valid UTF-8, a byte that is no character replaced
// by U+FFFD, so that the text keeps its length in characters.
gchar* TextBetween(wxStyledTextCtrl& view, int from, int to) {
    if (to <= from) {
        return g_strdup("");
    }
    const wxCharBuffer bytes = view.GetTextRangeRaw(from, to);
    return g_utf8_make_valid(bytes.data(), static_cast<gssize>(bytes.length()));
}

struct Span {
    int from;
    int to;
};

// What a screen reader reads at a place: a character, a word, or the line with its end
// of line. A sentence or a paragraph of code is its line.
Span SpanAt(wxStyledTextCtrl& view, int position, AtkTextGranularity granularity) {
    switch (granularity) {
        case ATK_TEXT_GRANULARITY_CHAR:
            return {position, std::max(position, view.PositionAfter(position))};
        case ATK_TEXT_GRANULARITY_WORD:
            return {view.WordStartPosition(position, true), view.WordEndPosition(position, true)};
        default: {
            const int line = view.LineFromPosition(position);
            const int next = view.PositionFromLine(line + 1);
            return {view.PositionFromLine(line), next < 0 ? view.GetLength() : next};
        }
    }
}

gchar* StringAtOffset(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start,
                      gint* end) {
    *start = *end = 0;
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr) {
        return g_strdup("");
    }
    const Span span = SpanAt(*view, PositionOf(text, offset), granularity);
    *start = OffsetOf(text, span.from);
    *end = *start + view->CountCharacters(span.from, span.to);
    return TextBetween(*view, span.from, span.to);
}

AtkTextGranularity GranularityOf(AtkTextBoundary boundary) {
    switch (boundary) {
        case ATK_TEXT_BOUNDARY_CHAR:
            return ATK_TEXT_GRANULARITY_CHAR;
        case ATK_TEXT_BOUNDARY_WORD_START:
        case ATK_TEXT_BOUNDARY_WORD_END:
            return ATK_TEXT_GRANULARITY_WORD;
        default:
            return ATK_TEXT_GRANULARITY_LINE;
    }
}

gchar* TextAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return StringAtOffset(text, offset, GranularityOf(boundary), start, end);
}

gchar* GetText(AtkText* text, gint start, gint end) {
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr) {
        return g_strdup("");
    }
    const int to = end < 0 ? view->GetLength() : PositionOf(text, end);
    return TextBetween(*view, PositionOf(text, start), to);
}

gunichar CharacterAtOffset(AtkText* text, gint offset) {
    gchar* character = GetText(text, offset, offset + 1);
    const gunichar found = g_utf8_get_char_validated(character, -1);
    g_free(character);
    return found == static_cast<gunichar>(-1) || found == static_cast<gunichar>(-2) ? 0 : found;
}

gint CharacterCount(AtkText* text) {
    wxStyledTextCtrl* view = ViewOf(text);
    return view == nullptr ? 0 : Own(text)->places.CharacterCount(*view);
}

gint CaretOffset(AtkText* text) {
    wxStyledTextCtrl* view = ViewOf(text);
    return view == nullptr ? 0 : OffsetOf(text, view->GetCurrentPos());
}

gboolean SetCaretOffset(AtkText* text, gint offset) {
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr) {
        return FALSE;
    }
    view->GotoPos(PositionOf(text, offset));
    return TRUE;
}

gint SelectionCount(AtkText* text) {
    wxStyledTextCtrl* view = ViewOf(text);
    return view != nullptr && view->GetSelectionStart() != view->GetSelectionEnd() ? 1 : 0;
}

gchar* Selection(AtkText* text, gint number, gint* start, gint* end) {
    *start = *end = 0;
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr || number != 0) {
        return nullptr;
    }
    const int from = view->GetSelectionStart();
    const int to = view->GetSelectionEnd();
    *start = OffsetOf(text, from);
    *end = *start + view->CountCharacters(from, to);
    return TextBetween(*view, from, to);
}

// Where a point of the viewer is in the coordinates asked for: the screen's, or those of
// the window the viewer is in.
wxPoint InCoordinates(wxStyledTextCtrl& view, wxPoint point, AtkCoordType coordinates) {
    const wxPoint onScreen = view.ClientToScreen(point);
    if (coordinates == ATK_XY_SCREEN) {
        return onScreen;
    }
    return onScreen - wxGetTopLevelParent(&view)->GetScreenPosition();
}

void CharacterExtents(AtkText* text, gint offset, gint* x, gint* y, gint* width, gint* height,
                      AtkCoordType coordinates) {
    *x = *y = *width = *height = 0;
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr) {
        return;
    }
    const int position = PositionOf(text, offset);
    const wxPoint at = view->PointFromPosition(position);
    const wxPoint after = view->PointFromPosition(view->PositionAfter(position));
    const wxPoint place = InCoordinates(*view, at, coordinates);
    *x = place.x;
    *y = place.y;
    *width = after.y == at.y ? std::max(0, after.x - at.x) : 0;
    *height = view->TextHeight(view->LineFromPosition(position));
}

gint OffsetAtPoint(AtkText* text, gint x, gint y, AtkCoordType coordinates) {
    wxStyledTextCtrl* view = ViewOf(text);
    if (view == nullptr) {
        return -1;
    }
    const wxPoint origin = InCoordinates(*view, wxPoint(0, 0), coordinates);
    const int position = view->PositionFromPoint(wxPoint(x, y) - origin);
    return OffsetOf(text, std::max(0, position));
}

void code_text_accessible_text_init(AtkTextIface* text) {
    text->get_text = GetText;
    text->get_text_at_offset = TextAtOffset;
    text->get_string_at_offset = StringAtOffset;
    text->get_character_at_offset = CharacterAtOffset;
    text->get_character_count = CharacterCount;
    text->get_caret_offset = CaretOffset;
    text->set_caret_offset = SetCaretOffset;
    text->get_n_selections = SelectionCount;
    text->get_selection = Selection;
    text->get_character_extents = CharacterExtents;
    text->get_offset_at_point = OffsetAtPoint;
}

// Text the user reads and selects, not edits.
AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* states =
        ATK_OBJECT_CLASS(code_text_accessible_parent_class)->ref_state_set(object);
    atk_state_set_remove_state(states, ATK_STATE_EDITABLE);
    atk_state_set_add_states(
        states,
        std::array{ATK_STATE_MULTI_LINE, ATK_STATE_READ_ONLY, ATK_STATE_SELECTABLE_TEXT}.data(), 3);
    return states;
}

void code_text_accessible_class_init(CodeTextAccessibleClass* accessibleClass) {
    ATK_OBJECT_CLASS(accessibleClass)->ref_state_set = RefStateSet;
}

void code_text_accessible_init(CodeTextAccessible* accessible) {
    accessible->view = nullptr;
    accessible->places.Forget();
}

// The screen reader follows the caret of the viewer that has the keyboard; one without
// it (a match selected from the find bar) says nothing, as the reader would not listen.
// A new text is counted afresh.
void TellOfChanges(wxStyledTextCtrl& view, AtkText* text) {
    view.Bind(wxEVT_STC_UPDATEUI, [&view, text](wxStyledTextEvent& event) {
        if ((event.GetUpdated() & wxSTC_UPDATE_CONTENT) != 0) {
            Own(text)->places.Forget();
        }
        if ((event.GetUpdated() & wxSTC_UPDATE_SELECTION) != 0 && view.HasFocus()) {
            g_signal_emit_by_name(text, "text-caret-moved", OffsetOf(text, view.GetCurrentPos()));
            g_signal_emit_by_name(text, "text-selection-changed");
        }
        event.Skip();
    });
}

}  // namespace

void ExposeCodeViewText(wxStyledTextCtrl& view, const wxString& name) {
    GtkWidget* widget = view.m_wxwindow;
    // Made as GTK makes a widget's accessible.
    auto* own = static_cast<CodeTextAccessible*>(
        g_object_new(code_text_accessible_get_type(), "widget", widget, nullptr));
    own->view = &view;
    AtkObject* accessible = ATK_OBJECT(own);
    atk_object_initialize(accessible, widget);
    atk_object_set_role(accessible, ATK_ROLE_TEXT);
    SetOwnAccessible(widget, accessible);
    g_object_unref(own);
    SetAccessibleName(view, name);
    TellOfChanges(view, ATK_TEXT(accessible));
}

}  // namespace quorvane
