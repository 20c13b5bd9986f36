#include "analysis/image_page.h"

#include "analysis/html_escape.h"
#include "analysis/text_file.h"
#include "analysis/text_search.h"
#include "analysis/url_helpers.h"
#include "analysis/work_files.h"

namespace quorvane {

namespace {
constexpr std::string_view kScheme = "http://";
}

std::string ImagePageText(const std::vector<std::string>& links) {
    std::string page;
    for (const std::string& raw : links) {
        // Addresses found without a scheme get one for the link and the picture; the
        // caption shows the address as it was found. An address with a scheme of its
        // own (an https or a local page's) keeps it: a second one would break it.
        const bool hasScheme =
            FindNoCase(std::string_view(raw).substr(0, kScheme.size()), kScheme) == 0 ||
            SchemePrefixLength(raw) > 0;
        const std::string url =
            EscapeInsertedAttribute(hasScheme ? raw : std::string(kScheme) + raw);
        page.append("<a href='").append(url).append("'><img src='").append(url);
        page.append("'></a><BR>").append(EscapeInsertedText(raw)).append("<BR><BR><BR>");
    }
    return page;
}

bool WriteImagePage(const std::string& programFolder, const AnalysisLists& lists) {
    WriteTextFile(WorkFilePath(programFolder, kImagePageFile), ImagePageText(lists.Links[1]));
    return true;
}

}  // namespace quorvane
