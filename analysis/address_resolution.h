#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The pair of host-name fragments of the free home-page hosting service: a relative
// image on a page under the first is served from the second. Both lie under the
// reserved ".invalid" domain so that no ordinary host ever triggers the rewrite.
inline constexpr std::string_view kHostingPageFragment = "homepages.hosting.invalid";
inline constexpr std::string_view kHostingImageFragment = "images.hosting.invalid";

// The page address the scanners resolve against: a page's directory address, except
// that an address ending in "/" or in ".com", ".net", ".edu" or ".gov" stays as it is.
std::string ScanBaseAddress(const std::string& pageAddress);

// The absolute addresses of image values cut from tags, resolved against one base (a
// ScanBaseAddress). A page names thousands of images against the same base, so the
// base is taken apart once, not once per image.
class ImageAddressResolver {
  public:
    explicit ImageAddressResolver(const std::string& base);
    std::string Resolve(const std::string& value) const;

  private:
    std::string ParentRelative(const std::string& value) const;
    std::string RootRelative(const std::string& value) const;

    bool onLocalPage_ = false;
    std::string schemeAndHost_;    // "http://host" (the scheme in lower case), "host", ...
    std::string otherHostScheme_;  // what a value beginning "//" is given: "http:", ...
    std::string directory_;        // the base's directory from its host's root: "/dir/"
    std::string relativeBase_;     // what a relative value is appended to
};

}  // namespace quorvane
