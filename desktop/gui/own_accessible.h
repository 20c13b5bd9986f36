#pragma once

#include <gtk/gtk.h>

namespace quorvane {

// Makes accessible what GTK hands out as widget's accessible, to screen readers and to
// GTK's own focus tracking alike; the widget holds a reference to it until it goes.
// GTK 3 makes a widget's accessible from the widget's class, and wxWidgets makes every
// window it draws itself of one class: a window that needs more (the text interface of
// a code viewer) cannot get it through its class without giving it to every window.
// So the class's getter hands out a widget's own accessible where it has one and the
// toolkit's otherwise.
void SetOwnAccessible(GtkWidget* widget, AtkObject* accessible);

}  // namespace quorvane
