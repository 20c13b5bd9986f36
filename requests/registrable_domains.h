#pragma once

#include <string>
#include <string_view>

typedef struct psl_ctx_st psl_ctx_t;

namespace quorvane {

// The sites of addresses, as the web tells first parties from third ones: the registrable
// domain of the host (the public suffix and one label before it, "example.co.uk" for
// "www.example.co.uk"), from the Public Suffix List that libpsl keeps. A host that has
// none (an IP address, "localhost", a public suffix itself) is its own site.
class RegistrableDomains {
  public:
    RegistrableDomains();
    ~RegistrableDomains();
    RegistrableDomains(const RegistrableDomains&) = delete;
    RegistrableDomains& operator=(const RegistrableDomains&) = delete;

    // The site of an address's host, letters folded; "" for an address with no host
    // (data:, about:blank).
    std::string SiteOf(std::string_view address) const;

  private:
    const psl_ctx_t* list_;
    psl_ctx_t* owned_ = nullptr;  // the newest list on the system, when there is one
};

// The host of an absolute address, letters folded, without brackets or port; "" when it
// has none.
std::string HostOf(std::string_view address);

}  // namespace quorvane
