#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

// What the desktop says about a dark style, from the places it can say it.
struct DarkStyleSignals {
    // The settings portal's "org.freedesktop.appearance" "color-scheme": 0 no
    // preference, 1 prefer dark, 2 prefer light; nullopt when no portal answered.
    std::optional<std::uint32_t> portalColourScheme;
    bool gtkPreferDarkTheme = false;  // GTK's "gtk-application-prefer-dark-theme"
    std::string gtkThemeName;         // GTK_THEME when set, else GTK's "gtk-theme-name"
};

// Whether the program should look dark: the portal decides when it has a preference;
// otherwise GTK's own settings do (the dark preference, or a dark variant of the theme:
// "Adwaita-dark", "Adwaita:dark").
bool PrefersDarkStyle(const DarkStyleSignals& signals);

}  // namespace quorvane
