#include "branding/default_browser.h"

#include <gio/gio.h>

#include "desktop/translation.h"

namespace quorvane {

// GIO looks the handler up and starts it itself, so that a missing one is an error
// with its reason: a launcher started through a script (xdg-open) counts as started
// whatever the script then finds.
std::optional<std::string> OpenInDefaultBrowser(const std::string& address) {
    GError* error = nullptr;
    if (g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error)) {
        return std::nullopt;
    }
    std::string reason = error != nullptr ? error->message : Translated("no handler is registered");
    g_clear_error(&error);
    return reason;
}

}  // namespace quorvane
