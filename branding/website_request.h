#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// What the Website window is asked to open; "Website" is the only request it serves.
// Process-wide, empty at start, cleared once a request has been carried out.
extern std::string websiteRequest;

// Opens an address with the user's default handler; tests put a recorder in its place.
using WebsiteLauncher = std::function<void(const std::string& address)>;

// The address with "http://" in front, unless it begins with "http://" or "https://"
// in any letter case.
std::string AddSchemeWhenMissing(const std::string& address);

// The load of the Website window: reloads the branding values and, for the request
// "Website", opens branding.website through the launcher and clears the request. Returns
// the address opened, nullopt when the request was anything else.
std::optional<std::string> ServeWebsiteRequest(const WebsiteLauncher& launch);

}  // namespace quorvane
