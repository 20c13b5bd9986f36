#pragma once

#include <optional>
#include <string>

#include "analysis/analysis_lists.h"

namespace quorvane {

// The two generated pages the Source Code and Images views load.
struct AnalysedPage {
    std::string sourcePagePath;  // <program folder>/source.htm
    std::string imagePagePath;   // <program folder>/imagepage.html
};

// The text pipeline of a page analysis, from the captured body HTML (nullopt: no
// document) and the page address to the written work files. Every failing step is
// absorbed and the run goes on with the next one.
AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists);

}  // namespace quorvane
