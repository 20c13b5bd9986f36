#include "desktop/file_chooser_portal.h"

#include <gtest/gtest.h>

#include <map>

namespace quorvane {
namespace {

struct PortalRow {
    std::map<std::string, std::string> variables;
    bool inFlatpak;
    bool portal;
};

TEST(FileChooserPortal, IsAskedInASandboxAndWhereTheDesktopWantsIt) {
    const PortalRow rows[] = {
        {{}, false, false},
        {{}, true, true},
        {{{"SNAP", "/snap/quorvane/12"}}, false, true},
        {{{"GTK_USE_PORTAL", "1"}}, false, true},
        {{{"GTK_USE_PORTAL", "0"}}, false, false},
        {{{"GTK_USE_PORTAL", ""}}, false, false},
        {{{"XDG_CURRENT_DESKTOP", "KDE"}}, false, false},
    };
    for (const PortalRow& row : rows) {
        const auto variable = [&](const char* name) -> std::optional<std::string> {
            const auto found = row.variables.find(name);
            return found == row.variables.end() ? std::nullopt : std::optional(found->second);
        };
        EXPECT_EQ(FileChooserPortalInUse(variable, row.inFlatpak), row.portal)
            << row.variables.size() << row.inFlatpak;
    }
}

}  // namespace
}  // namespace quorvane
