#pragma once

#include <string>
#include <vector>

#include "analysis/source_view.h"

namespace quorvane {

// The same text as LinkFileNamesPassByPass, in time close to linear in the text size
// plus the number of matches instead of one whole-text pass per entry.
std::string LinkFileNames(const std::string& text, const std::vector<LinkPass>& passes);

}  // namespace quorvane
