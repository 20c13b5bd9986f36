#include "desktop/colour_scheme.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(PrefersDarkStyle, ThePortalDecidesWhenItHasAPreferenceAndGtkOtherwise) {
    struct Row {
        DarkStyleSignals signals;
        bool dark;
    } rows[] = {
        {{1, false, "Adwaita"}, true},
        {{2, true, "Adwaita-dark"}, false},
        {{0, false, "Adwaita-dark"}, true},
        {{0, false, "Adwaita"}, false},
        {{std::nullopt, true, "Adwaita"}, true},
        {{std::nullopt, false, "Adwaita:dark"}, true},
        {{std::nullopt, false, "darkness"}, false},
        {{std::nullopt, false, ""}, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PrefersDarkStyle(row.signals), row.dark)
            << row.signals.portalColourScheme.value_or(99) << " " << row.signals.gtkPreferDarkTheme
            << " " << row.signals.gtkThemeName;
    }
}

}  // namespace
}  // namespace quorvane
