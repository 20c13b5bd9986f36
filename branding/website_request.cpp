#include "branding/website_request.h"

#include <algorithm>
#include <cctype>

#include "branding/branding_values.h"

namespace quorvane {

std::string strWebsiteRequest;

namespace {

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
    const auto found =
        std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return found != text.end();
}

}  // namespace

std::string AddSchemeWhenMissing(const std::string& address) {
    if (ContainsIgnoringCase(address, "https://") || ContainsIgnoringCase(address, "http://")) {
        return address;
    }
    return "http://" + address;
}

std::optional<std::string> ServeWebsiteRequest(const WebsiteLauncher& launch) {
    LoadBrandingValues();
    if (strWebsiteRequest != "Website") {
        return std::nullopt;
    }
    const std::string address = AddSchemeWhenMissing(strWebsite);
    launch(address);
    strWebsiteRequest.clear();
    return address;
}

}  // namespace quorvane
