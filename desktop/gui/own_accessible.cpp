#include "desktop/gui/own_accessible.h"

namespace quorvane {
namespace {

using AccessibleGetter = AtkObject* (*)(GtkWidget*);

GQuark OwnAccessibleQuark() {
    return g_quark_from_static_string("quorvane-own-accessible");
}

// The toolkit's getter is kept on the class it was taken from.
GQuark ToolkitGetterQuark() {
    return g_quark_from_static_string("quorvane-toolkit-accessible-getter");
}

// The getter of the nearest class whose getter was replaced: a class made from it later
// copied the replacement, not the toolkit's.
AccessibleGetter ToolkitGetter(GType type) {
    for (; type != 0; type = g_type_parent(type)) {
        if (gpointer getter = g_type_get_qdata(type, ToolkitGetterQuark())) {
            return reinterpret_cast<AccessibleGetter>(getter);
        }
    }
    return nullptr;
}

AtkObject* OwnOrToolkitAccessible(GtkWidget* widget) {
    if (gpointer own = g_object_get_qdata(G_OBJECT(widget), OwnAccessibleQuark())) {
        return ATK_OBJECT(own);
    }
    const AccessibleGetter toolkit = ToolkitGetter(G_TYPE_FROM_INSTANCE(widget));
    return toolkit != nullptr ? toolkit(widget) : nullptr;
}

void ReplaceGetterOf(GtkWidgetClass* widgetClass) {
    if (widgetClass->get_accessible == &OwnOrToolkitAccessible) {
        return;
    }
    g_type_set_qdata(G_TYPE_FROM_CLASS(widgetClass), ToolkitGetterQuark(),
                     reinterpret_cast<gpointer>(widgetClass->get_accessible));
    widgetClass->get_accessible = &OwnOrToolkitAccessible;
}

}  // namespace

void SetOwnAccessible(GtkWidget* widget, AtkObject* accessible) {
    g_object_set_qdata_full(G_OBJECT(widget), OwnAccessibleQuark(), g_object_ref(accessible),
                            g_object_unref);
    ReplaceGetterOf(GTK_WIDGET_GET_CLASS(widget));
}

}  // namespace quorvane
