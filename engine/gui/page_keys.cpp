#include "engine/gui/page_keys.h"

#include <webkit2/webkit2.h>

namespace quorvane {
namespace {

gboolean OfferKeyToWindowShortcuts(GtkWidget* view, GdkEventKey* event, gpointer) {
    GtkWidget* toplevel = gtk_widget_get_toplevel(view);
    return GTK_IS_WINDOW(toplevel) && gtk_window_activate_key(GTK_WINDOW(toplevel), event);
}

// The engine hands a key back to its widget once the page has not used it; only then is
// the key ours, so a text field keeps Ctrl+Home for its caret.
gboolean OnKeyThePageLeft(GtkWidget* view, GdkEventKey* event, gpointer) {
    const GdkModifierType modifiers =
        static_cast<GdkModifierType>(event->state & gtk_accelerator_get_default_mod_mask());
    if (modifiers != GDK_CONTROL_MASK) {
        return FALSE;
    }
    const char* command = nullptr;
    if (event->keyval == GDK_KEY_Home || event->keyval == GDK_KEY_KP_Home) {
        command = "ScrollToBeginningOfDocument";
    } else if (event->keyval == GDK_KEY_End || event->keyval == GDK_KEY_KP_End) {
        command = "ScrollToEndOfDocument";
    } else {
        return FALSE;
    }
    webkit_web_view_execute_editing_command(WEBKIT_WEB_VIEW(view), command);
    return TRUE;
}

}  // namespace

void RoutePageKeys(WebKitWebView* view) {
    g_signal_connect(view, "key-press-event", G_CALLBACK(&OfferKeyToWindowShortcuts), nullptr);
    // After the engine's own handler, which stops every key it is first given.
    g_signal_connect_after(view, "key-press-event", G_CALLBACK(&OnKeyThePageLeft), nullptr);
}

}  // namespace quorvane
