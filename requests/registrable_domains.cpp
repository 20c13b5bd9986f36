#include "requests/registrable_domains.h"

#include <glib.h>
#include <libpsl.h>

#include "base/ascii.h"

namespace quorvane {

// The list the system keeps up to date, else the one libpsl was built with.
RegistrableDomains::RegistrableDomains() : owned_(psl_latest(nullptr)) {
    list_ = owned_ != nullptr ? owned_ : psl_builtin();
}

RegistrableDomains::~RegistrableDomains() {
    psl_free(owned_);
}

std::string RegistrableDomains::SiteOf(std::string_view address) const {
    const std::string host = HostOf(address);
    if (host.empty() || list_ == nullptr) {
        return host;
    }
    const char* domain = psl_registrable_domain(list_, host.c_str());
    return domain != nullptr ? std::string(domain) : host;
}

std::string HostOf(std::string_view address) {
    GUri* uri = g_uri_parse(std::string(address).c_str(), G_URI_FLAGS_NON_DNS, nullptr);
    if (uri == nullptr) {
        return {};
    }
    const char* host = g_uri_get_host(uri);
    std::string folded = host != nullptr ? std::string(host) : std::string();
    g_uri_unref(uri);
    for (char& c : folded) {
        c = LowerAscii(c);
    }
    return folded;
}

}  // namespace quorvane
