#include "analysis/address_resolution.h"

#include "analysis/text_search.h"
#include "analysis/url_helpers.h"
#include "base/address_scheme.h"

namespace quorvane {

namespace {

constexpr std::string_view kParent = "../";

struct SplitAddress {
    std::string scheme;  // "http://" (in lower case), another leading "scheme://", or ""
    std::string host;    // up to the first "/" after the scheme
    std::string path;    // from that "/" on; may be empty
};

SplitAddress Split(const std::string& address) {
    SplitAddress split;
    const std::size_t schemeLength = SchemePrefixLength(address);
    split.scheme =
        IsHttpAddress(address) ? std::string(kHttpScheme) : address.substr(0, schemeLength);
    const std::string bare = address.substr(schemeLength);
    const std::size_t slash = bare.find('/');
    split.host = bare.substr(0, slash);
    split.path = slash == std::string::npos ? std::string() : bare.substr(slash);
    return split;
}

std::string Join(const SplitAddress& split, std::string_view directory, std::string_view rest) {
    std::string address = split.scheme;
    return address.append(split.host).append(directory).append(rest);
}

// Each "../" removed from the value climbs one directory from the base's directory;
// the host's root is as high as it goes.
std::string ResolveParentRelative(const std::string& value, const std::string& base) {
    std::size_t climbs = 0;
    for (std::size_t at = value.find(kParent); at != std::string::npos;
         at = value.find(kParent, at + kParent.size())) {
        ++climbs;
    }
    const SplitAddress split = Split(base);
    std::string directory = split.path.substr(0, split.path.rfind('/') + 1);
    if (directory.empty()) {
        directory = "/";
    }
    for (; climbs > 0 && directory.size() > 1; --climbs) {
        directory.pop_back();
        directory.erase(directory.rfind('/') + 1);
    }
    return Join(split, directory, ReplaceAllExact(value, kParent, ""));
}

// A root-relative value goes after the base's host. A base without scheme keeps none,
// and a bare host gets the "/" it lacks. A value beginning "//" names a host of its
// own and takes the base's scheme ("http:" when the base has none).
std::string ResolveRootRelative(const std::string& value, const std::string& base) {
    const SplitAddress split = Split(base);
    if (value.starts_with("//")) {
        const std::string scheme = split.scheme.empty() ? std::string(kHttpScheme) : split.scheme;
        return scheme.substr(0, scheme.size() - 2) + value;
    }
    return Join(split, "/", std::string_view(value).substr(1));
}

std::string ResolveRelative(const std::string& value, const std::string& base) {
    std::string b = base;
    const bool hadScheme = IsHttpAddress(b);
    if (hadScheme) {
        b.erase(0, kHttpScheme.size());
    }
    if (!EndsWith(b, "/")) {
        b = GetUrlDirectory(b);
    }
    if (ContainsNoCase(b, kHostingPageFragment)) {
        b = ReplaceAllNoCase(b, kHostingPageFragment, kHostingImageFragment);
    }
    if (hadScheme) {
        b.insert(0, kHttpScheme);
    }
    return b + value;
}

}  // namespace

std::string ScanBaseAddress(const std::string& pageAddress) {
    if (EndsWith(pageAddress, "/")) {
        return pageAddress;
    }
    for (const std::string_view kept : {".com", ".net", ".edu", ".gov"}) {
        if (EndsWith(pageAddress, kept)) {
            return pageAddress;
        }
    }
    return GetUrlDirectory(pageAddress);
}

// Only a value that names its resource by itself stands as written; a web page can
// thereby never point the generated views at a local file or at script.
std::string ResolveImageAddress(const std::string& value, const std::string& base) {
    if (StandsAsWritten(value, IsLocalPage(base))) {
        return value;
    }
    if (value.find(kParent) != std::string::npos) {
        return ResolveParentRelative(value, base);
    }
    if (!value.empty() && value.front() == '/') {
        return ResolveRootRelative(value, base);
    }
    return ResolveRelative(value, base);
}

}  // namespace quorvane
