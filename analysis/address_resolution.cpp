#include "analysis/address_resolution.h"

#include "analysis/url_helpers.h"
#include "base/address_scheme.h"
#include "base/text_search.h"

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

// The two parts in one string, made at its size at once: a page names thousands of
// images, each resolved this way.
std::string Joined(std::string_view first, std::string_view second) {
    std::string joined;
    joined.reserve(first.size() + second.size());
    joined.append(first).append(second);
    return joined;
}

// What a relative value is appended to: the base's directory, and for a page under the
// hosting service's page host, the same directory under its image host.
std::string RelativeBase(const std::string& base) {
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
    return b;
}

}  // namespace

ImageAddressResolver::ImageAddressResolver(const std::string& base)
    : onLocalPage_(IsLocalPage(base)), relativeBase_(RelativeBase(base)) {
    const SplitAddress split = Split(base);
    schemeAndHost_ = split.scheme + split.host;
    // A value beginning "//" names a host of its own and takes the base's scheme
    // ("http:" when the base has none).
    otherHostScheme_ = split.scheme.empty() ? std::string(kHttpScheme) : split.scheme;
    otherHostScheme_.resize(otherHostScheme_.size() - 2);
    const std::size_t slash = split.path.rfind('/');
    directory_ = slash == std::string::npos ? std::string("/") : split.path.substr(0, slash + 1);
}

// Each "../" removed from the value climbs one directory from the base's directory;
// the host's root is as high as it goes.
std::string ImageAddressResolver::ParentRelative(const std::string& value) const {
    std::size_t climbs = 0;
    for (std::size_t at = value.find(kParent); at != std::string::npos;
         at = value.find(kParent, at + kParent.size())) {
        ++climbs;
    }
    std::string directory = directory_;
    for (; climbs > 0 && directory.size() > 1; --climbs) {
        directory.pop_back();
        directory.erase(directory.rfind('/') + 1);
    }
    return schemeAndHost_ + directory + ReplaceAllExact(value, kParent, "");
}

// A root-relative value goes after the base's host. A base without scheme keeps none,
// and a bare host gets the "/" it lacks.
std::string ImageAddressResolver::RootRelative(const std::string& value) const {
    return Joined(value.starts_with("//") ? otherHostScheme_ : schemeAndHost_, value);
}

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
std::string ImageAddressResolver::Resolve(const std::string& value) const {
    if (StandsAsWritten(value, onLocalPage_)) {
        return value;
    }
    if (value.find(kParent) != std::string::npos) {
        return ParentRelative(value);
    }
    if (!value.empty() && value.front() == '/') {
        return RootRelative(value);
    }
    return Joined(relativeBase_, value);
}

}  // namespace quorvane
