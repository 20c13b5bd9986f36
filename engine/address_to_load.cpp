#include "engine/address_to_load.h"

#include <glib.h>

#include <memory>

#include "base/address_scheme.h"

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

std::string TypedAddress(const std::string& typed) {
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const std::size_t first = typed.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        return {};
    }
    return typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace quorvane
