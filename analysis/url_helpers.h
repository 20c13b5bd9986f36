#pragma once

#include <string>

namespace quorvane {

// The address of the directory holding a page; a directory address (ending in "/")
// gives the directory above it, so repeated calls climb the tree. Only "http://" is
// known as a scheme, and a result without any "/" after the host loses it.
std::string GetUrlDirectory(std::string address);

// The last segment of an address, after its last "/", without " border=" and double
// quotes (both leak in from tags the scanners cut carelessly). May be empty.
std::string GetUrlFileName(std::string address);

}  // namespace quorvane
