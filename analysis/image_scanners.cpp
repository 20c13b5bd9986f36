#include "analysis/image_scanners.h"

namespace quorvane {

TagScan ScanImageTags(std::string_view pageText, const std::string& pageAddress,
                      std::size_t maxBytes) {
    const TagScanRules rules{.keyword = "<img", .attribute = "src="};
    return ScanTagLines(pageText, pageAddress, rules, maxBytes);
}

TagScan ScanImageLinks(std::string_view pageText, const std::string& pageAddress,
                       std::size_t maxBytes) {
    // Image links through the old counter script hide the file behind "cgi-bin/i/".
    const TagScanRules rules{.keyword = "<a ",
                             .attribute = "href=",
                             .removedFromLines = "cgi-bin/i/",
                             .requiresClose = true,
                             .extensions = {".bmp", ".gif", ".jpeg", ".jpg"}};
    return ScanTagLines(pageText, pageAddress, rules, maxBytes);
}

}  // namespace quorvane
