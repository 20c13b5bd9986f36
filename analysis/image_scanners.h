#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "analysis/analysis_lists.h"
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

// Both scanners over pageText in the analysis's order: the image tags, then the links in
// what the tags' lists left of kMaxListBytes. record keeps each scan in the lists it is
// given, or leaves them empty.
using ScanRecorder = std::function<void(TagScan scan, FoundImages& found)>;
void ScanPageImages(std::string_view pageText, const std::string& pageAddress, AnalysisLists& lists,
                    const ScanRecorder& record);

}  // namespace quorvane
