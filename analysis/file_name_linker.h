#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/source_view.h"

namespace quorvane {

// The same text and the same passes run as LinkFileNamesPassByPass, in time close to
// linear in the text size plus the number of matches instead of one whole-text pass
// per entry. How large the text would grow is worked out before any of it is written,
// so a page that stops at maxSize never costs more memory than that.
LinkedText LinkFileNames(const std::string& text, const std::vector<LinkPass>& passes,
                         std::size_t maxSize);

}  // namespace quorvane
