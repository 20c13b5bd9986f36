#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvane {

// What the Website window is asked to open; "Website" is the only request it serves.
// Process-wide, empty at start, cleared once a request has been carried out.
extern std::string websiteRequest;

// Opens an address with the user's default handler: nullopt when it was started, else
// why not (OpenInDefaultBrowser); tests put a recorder in its place.
using WebsiteLauncher = std::function<std::optional<std::string>(const std::string& address)>;

// What the Website window's load did with the request "Website".
struct WebsiteVisit {
    std::string address;
    std::optional<std::string> failure{};  // why the default handler was not started
    bool operator==(const WebsiteVisit&) const = default;
};

// What status panel 1 says when no default browser could be started for address.
std::string WebsiteNotStartedMessage(const std::string& address, const std::string& reason);

// The address with "http://" in front, unless it begins with "http://" or "https://"
// in any letter case.
std::string AddSchemeWhenMissing(const std::string& address);

// The load of the Website window: reloads the branding values and, for the request
// "Website", opens branding.website through the launcher and clears the request. Returns
// the address and whether it was opened, nullopt when the request was anything else.
std::optional<WebsiteVisit> ServeWebsiteRequest(const WebsiteLauncher& launch);

}  // namespace quorvane
