#include "analysis/url_helpers.h"

#include <algorithm>
#include <cstring>

#include "base/address_scheme.h"
#include "base/ascii.h"
#include "base/text_search.h"

namespace quorvane {

namespace {

// Where the last "/" stands, found by memrchr: string_view's rfind looks at one byte at a time.
std::size_t LastSlash(std::string_view address) {
    if (address.empty()) {
        return std::string_view::npos;  // memrchr must not be given the null data of an empty view
    }
    const void* slash = ::memrchr(address.data(), '/', address.size());
    return slash == nullptr
               ? std::string_view::npos
               : static_cast<std::size_t>(static_cast<const char*>(slash) - address.data());
}

}  // namespace

// Only a leading "http://" is the scheme cut and put back (in lower case); one further
// on, in a query, stays where it is, and another scheme stays in front of the text.
std::string GetUrlDirectory(std::string address) {
    std::string s = std::move(address);
    const bool hadScheme = IsHttpAddress(s);
    if (hadScheme) {
        s.erase(0, kHttpScheme.size());
    }
    if (!s.empty() && s.back() == '/') {
        s.pop_back();
    }
    const std::size_t lastSlash = s.rfind('/');
    std::string d = lastSlash == std::string::npos ? std::string() : s.substr(0, lastSlash + 1);
    if (hadScheme) {
        d.insert(0, kHttpScheme);
    }
    // A bare "https://" is no directory either: the address itself is the top.
    if (d.empty() || d == kHttpScheme || SchemePrefixLength(d) == d.size()) {
        return s + "/";
    }
    return d;
}

// Every "http://" is cut from the address before its last segment is taken. One ends in
// a slash, so only one that ends at the last slash changes what follows that slash; for
// nearly every address there is none, and only the last segment is copied.
std::string GetUrlFileName(std::string_view address) {
    std::string cut;
    std::size_t lastSlash = LastSlash(address);
    const std::size_t schemeStart = lastSlash + 1 - kHttpScheme.size();
    if (lastSlash != std::string_view::npos && lastSlash + 1 >= kHttpScheme.size() &&
        EqualsNoCase(address.substr(schemeStart, kHttpScheme.size()), kHttpScheme)) {
        cut = ReplaceAllNoCase(address, kHttpScheme, "");
        address = cut;
        lastSlash = LastSlash(address);
    }
    const std::string_view segment =
        lastSlash == std::string_view::npos ? address : address.substr(lastSlash + 1);
    // " border=" begins with a blank; a segment with neither a blank nor a double quote,
    // as nearly every one is, is the name as it stands.
    if (std::none_of(segment.begin(), segment.end(), [](char c) { return c == ' ' || c == '"'; })) {
        return std::string(segment);
    }
    std::string s(segment);
    if (ContainsNoCase(s, " border=")) {
        s = ReplaceAllNoCase(s, " border=", "");
    }
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return s;
}

}  // namespace quorvane
