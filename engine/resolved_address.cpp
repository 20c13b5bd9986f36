#include "engine/resolved_address.h"

#include <glib.h>

#include <memory>

namespace quorvane {

std::optional<std::string> ResolvedAddress(const std::string& base, const std::string& reference) {
    GError* error = nullptr;
    std::unique_ptr<char, decltype(&g_free)> resolved(
        g_uri_resolve_relative(base.c_str(), reference.c_str(), G_URI_FLAGS_PARSE_RELAXED, &error),
        g_free);
    // Some references that make no address ("http://a;") come back as NULL with no error.
    if (error != nullptr) {
        g_error_free(error);
    }
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

}  // namespace quorvane
