#pragma once

#include <string>
#include <string_view>

#include "analysis/tag_line_scanner.h"

namespace quorvane {

// Finds the images shown by "<img" tags in pageText (the content of checkImages.txt),
// for lists pair 1 (Links[1], frmList[1]).
TagScan ScanImageTags(std::string_view pageText, const std::string& pageAddress);

// Finds the links ("<a " tags with "href=") to ".bmp", ".gif", ".jpeg" and ".jpg" files
// in pageText, for lists pair 0 (Links[0], frmList[0]).
TagScan ScanImageLinks(std::string_view pageText, const std::string& pageAddress);

}  // namespace quorvane
