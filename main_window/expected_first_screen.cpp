#include "main_window/expected_first_screen.h"

#include <utility>

#include "analysis/analysis_lists.h"
#include "analysis/image_scanners.h"
#include "analysis/source_view.h"
#include "base/limits.h"
#include "base/line_breaks.h"
#include "engine/generated_view_load.h"
#include "engine/page_prefix.h"

namespace quorvane {

namespace {

// The lists as the analysis makes them from text, without its work files.
AnalysisLists ListsOf(std::string_view text, const std::string& pageAddress) {
    AnalysisLists lists;
    TagScan tags = ScanImageTags(text, pageAddress, kMaxListBytes);
    lists.imageTags = {std::move(tags.links), std::move(tags.names)};
    TagScan links = ScanImageLinks(text, pageAddress, kMaxListBytes - lists.Bytes());
    lists.imageLinks = {std::move(links.links), std::move(links.names)};
    return lists;
}

}  // namespace

std::string ExpectedSourceFirstScreen(std::string_view bodyStart, const std::string& pageAddress) {
    const std::string body = WithCrLfLineBreaks(bodyStart);
    const SourceView view = SourceViewText(body, ListsOf(body, pageAddress));
    return std::string(PagePrefix(view.text, GeneratedViewLoad::kFirstScreenBytes));
}

}  // namespace quorvane
