#include "analysis/image_scanners.h"

namespace quorvane {

const TagScanRules& ImageTagRules() {
    static const TagScanRules rules{.keyword = "<img", .attribute = "src="};
    return rules;
}

const TagScanRules& ImageLinkRules() {
    // Image links through the old counter script hide the file behind "cgi-bin/i/".
    static const TagScanRules rules{.keyword = "<a ",
                                    .attribute = "href=",
                                    .removedFromLines = "cgi-bin/i/",
                                    .requiresClose = true,
                                    .extensions = {".bmp", ".gif", ".jpeg", ".jpg"}};
    return rules;
}

TagScan ScanImageTags(std::string_view pageText, const std::string& pageAddress,
                      std::size_t maxBytes) {
    return ScanTagLines(pageText, pageAddress, ImageTagRules(), maxBytes);
}

TagScan ScanImageLinks(std::string_view pageText, const std::string& pageAddress,
                       std::size_t maxBytes) {
    return ScanTagLines(pageText, pageAddress, ImageLinkRules(), maxBytes);
}

void ScanPageImages(std::string_view pageText, const std::string& pageAddress, AnalysisLists& lists,
                    const ScanRecorder& record) {
    record(ScanImageTags(pageText, pageAddress, kMaxListBytes), lists.imageTags);
    record(ScanImageLinks(pageText, pageAddress, kMaxListBytes - lists.Bytes()), lists.imageLinks);
}

}  // namespace quorvane
