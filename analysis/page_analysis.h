#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_lists.h"

namespace quorvane {

// The two generated pages the Source Code and Images views load, and what the user is
// told about them.
struct AnalysedPage {
    std::string sourcePagePath;  // <program folder>/source.htm
    std::string imagePagePath;   // <program folder>/imagepage.html
    // Said in the status bar, in this order: a generated page that stopped at its
    // largest size, and a view file that could not be written (naming the file and the
    // error; the view then shows its earlier page). Empty when all went well.
    std::vector<std::string> notes;
    bool viewFileNotWritten = false;
};

// The notes as one line for the status bar; empty when there are none.
std::string StatusLine(const AnalysedPage& page);

// The text pipeline of a page analysis, from the captured body HTML (nullopt: no
// document) and the page address to the written work files. Every failing step is
// absorbed and the run goes on with the next one.
AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists);

}  // namespace quorvane
