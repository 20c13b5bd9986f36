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

// The absolute address of an image value cut from a tag, resolved against base (a
// ScanBaseAddress).
std::string ResolveImageAddress(const std::string& value, const std::string& base);

}  // namespace quorvane
