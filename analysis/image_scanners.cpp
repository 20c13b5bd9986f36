#include "analysis/image_scanners.h"

#include "analysis/tag_line_scanner.h"

namespace quorvane {

void ScanImageTags(const std::string& programFolder, std::string pageAddress,
                   AnalysisLists& lists) {
    const TagScanRules rules{.keyword = "<img", .attribute = "src="};
    ScanTagLines(programFolder, pageAddress, rules, lists.Links[1], lists.frmList[1]);
}

void ScanImageLinks(const std::string& programFolder, std::string pageAddress,
                    AnalysisLists& lists) {
    // Image links through the old counter script hide the file behind "cgi-bin/i/".
    const TagScanRules rules{.keyword = "<a ",
                             .attribute = "href=",
                             .removedFromLines = "cgi-bin/i/",
                             .requiresClose = true,
                             .extensions = {".bmp", ".gif", ".jpeg", ".jpg"}};
    ScanTagLines(programFolder, pageAddress, rules, lists.Links[0], lists.frmList[0]);
}

}  // namespace quorvane
