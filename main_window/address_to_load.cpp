#include "main_window/address_to_load.h"

#include <glib.h>

#include <memory>

#include "analysis/address_scheme.h"

namespace quorvane {

std::string AddressToLoad(const std::string& addressOrPath) {
    if (addressOrPath.empty() || LeadingSchemeOf(addressOrPath).scheme != Scheme::None) {
        return addressOrPath;
    }
    if (addressOrPath.front() == '/') {
        // GLib escapes every byte a file URL's path may not hold as it is.
        const std::unique_ptr<gchar, decltype(&g_free)> url(
            g_filename_to_uri(addressOrPath.c_str(), nullptr, nullptr), &g_free);
        return url ? std::string(url.get()) : addressOrPath;
    }
    return std::string(kHttpScheme) + addressOrPath;
}

}  // namespace quorvane
