#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// The address of the directory holding a page; a directory address (ending in "/")
// gives the directory above it, so repeated calls climb the tree. "http://" is the
// scheme these helpers cut and put back, and a result without any "/" after an
// http host loses it; another scheme's address ("https://host") keeps its scheme.
std::string GetUrlDirectory(std::string address);

// The last segment of an address, after its last "/", without " border=" and double
// quotes (both leak in from tags the scanners cut carelessly). May be empty.
std::string GetUrlFileName(std::string address);

// The length of a leading "scheme://" ("https://", "file://"), or 0 when there is none.
std::size_t SchemePrefixLength(std::string_view address);

}  // namespace quorvane
