#include "branding/website_request.h"

#include "base/address_scheme.h"
#include "branding/branding_values.h"

namespace quorvane {

std::string websiteRequest;

std::string AddSchemeWhenMissing(const std::string& address) {
    if (IsWebAddress(address)) {
        return address;
    }
    return std::string(kHttpScheme) + address;
}

std::optional<std::string> ServeWebsiteRequest(const WebsiteLauncher& launch) {
    LoadBrandingValues();
    if (websiteRequest != "Website") {
        return std::nullopt;
    }
    const std::string address = AddSchemeWhenMissing(branding.website);
    launch(address);
    websiteRequest.clear();
    return address;
}

}  // namespace quorvane
