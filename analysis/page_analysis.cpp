#include "analysis/page_analysis.h"

#include <exception>

#include "analysis/image_page.h"
#include "analysis/image_scanners.h"
#include "analysis/source_view.h"
#include "analysis/text_file.h"
#include "analysis/work_files.h"

namespace quorvane {

namespace {

// The analysis stays silent: a step that fails ends where it failed and the run goes
// on with the next step. This is the one place that swallows the failure.
template <typename Step>
void Attempt(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists) {
    const std::string source = bodyHtml.value_or(std::string());
    Attempt([&] { WriteTextFile(WorkFilePath(programFolder, kCheckImagesFile), source); });
    lists.Clear();
    Attempt([&] { ScanImageTags(programFolder, pageAddress, lists); });
    Attempt([&] { ScanImageLinks(programFolder, pageAddress, lists); });
    std::string sourceView;
    Attempt([&] { sourceView = SourceViewText(source, lists); });
    Attempt([&] { WriteImagePage(programFolder, lists); });
    Attempt([&] { WriteTextFile(WorkFilePath(programFolder, kSourceFile), sourceView); });
    Attempt([&] { ResetWorkFiles(programFolder); });
    return {WorkFilePath(programFolder, kSourceFile), WorkFilePath(programFolder, kImagePageFile)};
}

}  // namespace quorvane
