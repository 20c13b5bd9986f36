#include "analysis/image_page.h"

#include "analysis/address_scheme.h"
#include "analysis/html_escape.h"
#include "analysis/text_file.h"
#include "analysis/work_files.h"

namespace quorvane {

namespace {
constexpr std::string_view kScheme = "http://";
}

std::string ImagePageText(const std::vector<std::string>& links) {
    std::string page;
    for (const std::string& raw : links) {
        // Addresses found without a scheme get one for the link and the picture; the
        // caption shows the address as it was found. A web address, a data: picture and
        // a local page's file: address keep their own scheme: a second one would break
        // them. (The scanners let a file: address stand only on a local page.) Any other
        // scheme is taken for text, so no javascript: link can come alive here.
        const bool keepsScheme = StandsAsWritten(raw, true);
        const std::string url =
            EscapeInsertedAttribute(keepsScheme ? raw : std::string(kScheme) + raw);
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
