#include "branding/website_request.h"

#include "base/address_scheme.h"
#include "branding/branding_values.h"
#include "desktop/translation.h"

namespace quorvane {

std::string websiteRequest;

std::string AddSchemeWhenMissing(const std::string& address) {
    if (IsWebAddress(address)) {
        return address;
    }
    return std::string(kHttpScheme) + address;
}

std::string WebsiteNotStartedMessage(const std::string& address, const std::string& reason) {
    return Translated("Could not start the default browser for {1}: {2}", {address, reason});
}

std::optional<WebsiteVisit> ServeWebsiteRequest(const WebsiteLauncher& launch) {
    LoadBrandingValues();
    if (websiteRequest != "Website") {
        return std::nullopt;
    }
    WebsiteVisit visit{AddSchemeWhenMissing(branding.website)};
    visit.failure = launch(visit.address);
    websiteRequest.clear();
    return visit;
}

}  // namespace quorvane
