#include "main_window/expected_first_screen.h"

#include <utility>

#include "analysis/analysis_lists.h"
#include "analysis/image_page.h"
#include "analysis/image_scanners.h"
#include "analysis/source_view.h"
#include "base/line_breaks.h"
#include "engine/generated_view_load.h"
#include "engine/page_prefix.h"

namespace quorvane {

namespace {

// The lists as the analysis makes them from text, without its work files.
AnalysisLists ListsOf(std::string_view text, const std::string& pageAddress) {
    AnalysisLists lists;
    ScanPageImages(text, pageAddress, lists, [](TagScan scan, FoundImages& found) {
        found = {std::move(scan.links), std::move(scan.names)};
    });
    return lists;
}

}  // namespace

std::string ExpectedSourceFirstScreen(std::string_view bodyStart, const std::string& pageAddress) {
    const std::string body = WithCrLfLineBreaks(bodyStart);
    const SourceView view = SourceViewText(body, ListsOf(body, pageAddress));
    return std::string(PagePrefix(view.text, GeneratedViewLoad::kFirstScreenBytes));
}

// The page is made of twice what a first screen shows, so that its cut falls where the whole
// page's does.
std::string ExpectedImagesFirstScreen(std::string_view bodyStart, const std::string& pageAddress) {
    const std::size_t lastTagEnd = bodyStart.rfind('>');
    const std::string body = WithCrLfLineBreaks(
        bodyStart.substr(0, lastTagEnd == std::string_view::npos ? 0 : lastTagEnd + 1));
    const AnalysisLists lists = ListsOf(body, pageAddress);
    const ImagePage page =
        ImagePageText(lists.imageTags.addresses, 2 * GeneratedViewLoad::kFirstScreenBytes);
    return std::string(PagePrefix(page.text, GeneratedViewLoad::kFirstScreenBytes));
}

}  // namespace quorvane
