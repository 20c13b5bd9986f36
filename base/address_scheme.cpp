#include "base/address_scheme.h"

#include "base/ascii.h"

namespace quorvane {

namespace {

bool IsSchemeCharacter(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
}

Scheme SchemeNamed(std::string_view name) {
    const struct {
        std::string_view name;
        Scheme scheme;
    } known[] = {{"http", Scheme::Http},
                 {"https", Scheme::Https},
                 {"file", Scheme::File},
                 {"data", Scheme::Data}};
    for (const auto& entry : known) {
        if (EqualsNoCase(name, entry.name)) {
            return entry.scheme;
        }
    }
    return Scheme::Other;
}

}  // namespace

LeadingScheme LeadingSchemeOf(std::string_view address) {
    if (address.empty() || !IsAsciiLetter(address.front())) {
        return {};
    }
    std::size_t colon = 1;
    while (colon < address.size() && IsSchemeCharacter(address[colon])) {
        ++colon;
    }
    if (colon == address.size() || address[colon] != ':' ||
        (colon + 1 < address.size() && IsAsciiDigit(address[colon + 1]))) {
        return {};
    }
    const bool slashes = address.substr(colon + 1, 2) == "//";
    return {SchemeNamed(address.substr(0, colon)), colon + 1 + (slashes ? 2 : 0), slashes};
}

std::size_t SchemePrefixLength(std::string_view address) {
    const LeadingScheme leading = LeadingSchemeOf(address);
    return leading.slashes ? leading.length : 0;
}

bool IsHttpAddress(std::string_view address) {
    const LeadingScheme leading = LeadingSchemeOf(address);
    return leading.scheme == Scheme::Http && leading.slashes;
}

bool IsWebAddress(std::string_view address) {
    const LeadingScheme leading = LeadingSchemeOf(address);
    return (leading.scheme == Scheme::Http || leading.scheme == Scheme::Https) && leading.slashes;
}

bool IsLocalPage(std::string_view pageAddress) {
    return LeadingSchemeOf(pageAddress).scheme == Scheme::File;
}

bool OpensFromPage(std::string_view target, std::string_view pageAddress) {
    const Scheme scheme = LeadingSchemeOf(target).scheme;
    return scheme == Scheme::Http || scheme == Scheme::Https ||
           (scheme == Scheme::File && IsLocalPage(pageAddress));
}

// The scheme is read once: a page can hold thousands of addresses to judge.
bool StandsAsWritten(std::string_view address, bool onLocalPage) {
    const LeadingScheme leading = LeadingSchemeOf(address);
    const bool web =
        (leading.scheme == Scheme::Http || leading.scheme == Scheme::Https) && leading.slashes;
    return web || leading.scheme == Scheme::Data || (leading.scheme == Scheme::File && onLocalPage);
}

}  // namespace quorvane
