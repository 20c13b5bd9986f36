#pragma once

#include <optional>
#include <string>

namespace quorvane {

// reference (an href, a src, a srcset candidate) resolved against the address base, as a
// browser would follow it; nullopt when the two make no address.
std::optional<std::string> ResolvedAddress(const std::string& base, const std::string& reference);

}  // namespace quorvane
