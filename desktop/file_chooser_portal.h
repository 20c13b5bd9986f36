#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// What the environment says of the program's session: a variable's value, nullopt when
// it is not set.
using EnvironmentVariable = std::function<std::optional<std::string>(const char* name)>;

// Whether GTK's native file chooser asks the desktop's file-chooser portal: in a sandbox
// (Flatpak, Snap) and where the desktop asks for it with GTK_USE_PORTAL=1, as KDE Plasma
// does. Elsewhere the native chooser is GTK's own dialog, the one wxWidgets shows.
bool FileChooserPortalInUse(const EnvironmentVariable& variable, bool inFlatpak);

}  // namespace quorvane
