#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_lists.h"
#include "analysis/work_file_writer.h"

namespace quorvane {

// The two generated pages the Source Code and Images views load, and what the user is
// told about them.
struct AnalysedPage {
    std::string sourcePagePath;  // <program folder>/source.htm
    std::string imagePagePath;   // <program folder>/imagepage.html
    // Said in the status bar, in this order: a scanner's work file that could not be
    // written (its images are then left out, or come from the page it held before), a generated
    // page that stopped at its largest size, and a view file that could not be written (the view
    // then shows its earlier page); a file is named with the error. Empty when all went well.
    std::vector<std::string> notes;
    bool viewFileNotWritten = false;
    bool scanFileNotWritten = false;
};

// The notes as one line for the status bar; empty when there are none.
std::string StatusLine(const AnalysedPage& page);

// The pipeline of a page analysis, from the captured body HTML (nullopt: no document)
// and the page address to the work files and lists: every text is made in memory and
// files makes the writes, in their order. A step that fails on its work file ends
// there and the run goes on with the next one; any other exception is a fault of the
// program and goes on to the caller, ending the run.
AnalysedPage AnalysePageText(WorkFileWriter& files, const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists);

// The same on the work files in programFolder.
AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists);

// The analysis when the Browser view shows no page of the site (it could not be opened,
// and shows a page of the program's own that says why): the work files as for a page
// without a document, but the two views' pages say "No page: " and the reason.
AnalysedPage AnalyseNoPage(WorkFileWriter& files, const std::string& reason, AnalysisLists& lists);
AnalysedPage AnalyseNoPage(const std::string& programFolder, const std::string& reason,
                           AnalysisLists& lists);

// The text of both views' pages in that case; nothing of reason is live in it.
std::string NoPageText(const std::string& reason);

}  // namespace quorvane
