#include "desktop/colour_scheme.h"

namespace quorvane {

namespace {

constexpr std::uint32_t kPortalPrefersDark = 1;
constexpr std::uint32_t kPortalPrefersLight = 2;

bool IsDarkVariant(const std::string& themeName) {
    return themeName.ends_with("-dark") || themeName.ends_with(":dark");
}

}  // namespace

bool PrefersDarkStyle(const DarkStyleSignals& signals) {
    if (signals.portalColourScheme == kPortalPrefersDark) {
        return true;
    }
    if (signals.portalColourScheme == kPortalPrefersLight) {
        return false;
    }
    return signals.gtkPreferDarkTheme || IsDarkVariant(signals.gtkThemeName);
}

}  // namespace quorvane
