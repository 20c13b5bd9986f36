#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/tag_line_scanner.h"

namespace quorvane {

// What the two scanners below look for.
const TagScanRules& ImageTagRules();
const TagScanRules& ImageLinkRules();

// Finds the images shown by "<img" tags in pageText (the content of checkImages.txt),
// for the lists' imageTags, in at most maxBytes.
TagScan ScanImageTags(std::string_view pageText, const std::string& pageAddress,
                      std::size_t maxBytes = kMaxListBytes);

// Finds the links ("<a " tags with "href=") to ".bmp", ".gif", ".jpeg" and ".jpg" files
// in pageText, for the lists' imageLinks, in at most maxBytes.
TagScan ScanImageLinks(std::string_view pageText, const std::string& pageAddress,
                       std::size_t maxBytes = kMaxListBytes);

}  // namespace quorvane
