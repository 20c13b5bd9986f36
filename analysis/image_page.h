#pragma once

#include <string>
#include <vector>

#include "analysis/analysis_lists.h"

namespace quorvane {

// The Images view's page for the image addresses links: per image, a picture linked to
// itself with its address under it, as a bare fragment on one line.
std::string ImagePageText(const std::vector<std::string>& links);

// Writes the image page of lists.Links[1] to programFolder's imagepage.html and returns
// true. Throws std::system_error when the file cannot be written.
bool WriteImagePage(const std::string& programFolder, const AnalysisLists& lists);

}  // namespace quorvane
