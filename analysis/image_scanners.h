#pragma once

#include <string>

#include "analysis/analysis_lists.h"

namespace quorvane {

// Finds the images shown by "<img" tags in programFolder's checkImages.txt and appends
// them to lists pair 1 (Links[1], frmList[1]). Throws std::system_error when a work
// file cannot be read or written; entries appended until then stay.
void ScanImageTags(const std::string& programFolder, std::string pageAddress, AnalysisLists& lists);

// Finds the links ("<a " tags with "href=") to ".bmp", ".gif", ".jpeg" and ".jpg" files
// and appends them to lists pair 0 (Links[0], frmList[0]). Fails as ScanImageTags.
void ScanImageLinks(const std::string& programFolder, std::string pageAddress,
                    AnalysisLists& lists);

}  // namespace quorvane
