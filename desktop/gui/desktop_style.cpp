#include "desktop/gui/desktop_style.h"

#include <gio/gio.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>

#include "desktop/colour_scheme.h"

namespace quorvane {

namespace {

// A portal that does not answer at once is not waited for: the start must not hang on it.
constexpr int kPortalTimeoutMs = 300;

std::optional<std::uint32_t> PortalColourScheme() {
    // Without a session bus of the desktop's there is no portal either. Asking for the bus
    // then has GLib start one of its own for the display, and with it the browser
    // engine's pages were seen not to load at all.
    if (g_getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        return std::nullopt;
    }
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) {
        return std::nullopt;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
        "org.freedesktop.portal.Settings", "Read",
        g_variant_new("(ss)", "org.freedesktop.appearance", "color-scheme"), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, kPortalTimeoutMs, nullptr, nullptr);
    g_object_unref(bus);
    if (reply == nullptr) {
        return std::nullopt;
    }
    // The value comes wrapped once in the reply and once more by the portal.
    std::optional<std::uint32_t> scheme;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    while (value != nullptr && g_variant_is_of_type(value, G_VARIANT_TYPE_VARIANT)) {
        GVariant* inner = g_variant_get_variant(value);
        g_variant_unref(value);
        value = inner;
    }
    if (value != nullptr && g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32)) {
        scheme = g_variant_get_uint32(value);
    }
    if (value != nullptr) {
        g_variant_unref(value);
    }
    g_variant_unref(reply);
    return scheme;
}

}  // namespace

bool FollowDesktopStyle() {
    GtkSettings* settings = gtk_settings_get_default();
    if (settings == nullptr) {
        return false;
    }
    DarkStyleSignals signals;
    signals.portalColourScheme = PortalColourScheme();
    gboolean preferDark = FALSE;
    gchar* themeName = nullptr;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name",
                 &themeName, nullptr);
    signals.gtkPreferDarkTheme = preferDark != FALSE;
    const char* themeFromEnvironment = std::getenv("GTK_THEME");
    signals.gtkThemeName = themeFromEnvironment != nullptr ? themeFromEnvironment
                           : themeName != nullptr          ? themeName
                                                           : "";
    g_free(themeName);
    const bool dark = PrefersDarkStyle(signals);
    g_object_set(settings, "gtk-application-prefer-dark-theme", dark ? TRUE : FALSE, nullptr);
    return dark;
}

}  // namespace quorvane
