#include "desktop/gui/tab_strip.h"

#include <gtk/gtk.h>
#include <wx/notebook.h>

namespace quorvane {

namespace {
constexpr const char* kTabStripName = "quorvane-compact-tabs";
constexpr const char* kCompactTabsCss =
    "#quorvane-compact-tabs > header > tabs > tab { min-height: 0; padding: 3px 12px; }";
}  // namespace

void SetTabToolTips(wxNotebook* tabStrip, const std::vector<wxString>& tooltips) {
    auto* notebook = GTK_NOTEBOOK(tabStrip->GetHandle());
    for (std::size_t i = 0; i < tooltips.size() && i < tabStrip->GetPageCount(); ++i) {
        GtkWidget* label = gtk_notebook_get_tab_label(notebook, tabStrip->GetPage(i)->GetHandle());
        gtk_widget_set_tooltip_text(label, tooltips[i].utf8_str());
    }
}

void MakeTabsCompact(wxNotebook* tabStrip) {
    gtk_widget_set_name(GTK_WIDGET(tabStrip->GetHandle()), kTabStripName);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCompactTabsCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}

}  // namespace quorvane
