#include "desktop/file_chooser_portal.h"

namespace quorvane {

bool FileChooserPortalInUse(const EnvironmentVariable& variable, bool inFlatpak) {
    return inFlatpak || variable("SNAP").has_value() || variable("GTK_USE_PORTAL") == "1";
}

}  // namespace quorvane
