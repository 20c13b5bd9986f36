#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The address of the directory holding a page; a directory address (ending in "/")
// gives the directory above it, so repeated calls climb the tree. A leading "http://"
// is the scheme it cuts and puts back, and a result without any "/" after an http
// host loses it; another scheme's address ("https://host") keeps its scheme.
std::string GetUrlDirectory(std::string address);

// The last segment of an address, after its last "/", without " border=" and double
// quotes (both leak in from tags the scanners cut carelessly). May be empty.
std::string GetUrlFileName(std::string_view address);

}  // namespace quorvane
