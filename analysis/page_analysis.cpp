#include "analysis/page_analysis.h"

#include <cctype>
#include <exception>
#include <system_error>

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

// A view file that cannot be written keeps its earlier page, which the view then shows;
// the user is told which file and why, in the error's own words.
template <typename Step>
void AttemptViewWrite(AnalysedPage& page, Step&& step) {
    Attempt([&] {
        try {
            step();
        } catch (const std::system_error& error) {
            std::string note = error.what();
            note[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(note[0])));
            page.notes.push_back(std::move(note));
            page.viewFileNotWritten = true;
        }
    });
}

std::string TooLargeNote(const char* view, std::size_t done, std::size_t all, const char* what) {
    return std::string(view) + ": " + std::to_string(done) + " of " + std::to_string(all) + " " +
           what + "; the rest would make the page too large";
}

}  // namespace

std::string StatusLine(const AnalysedPage& page) {
    std::string line;
    for (const std::string& note : page.notes) {
        line += (line.empty() ? "" : ". ") + note;
    }
    return line;
}

AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists) {
    AnalysedPage page;
    page.sourcePagePath = WorkFilePath(programFolder, kSourceFile);
    page.imagePagePath = WorkFilePath(programFolder, kImagePageFile);
    const std::string source = bodyHtml.value_or(std::string());
    Attempt([&] { WriteTextFile(WorkFilePath(programFolder, kCheckImagesFile), source); });
    lists.Clear();
    Attempt([&] { ScanImageTags(programFolder, pageAddress, lists); });
    Attempt([&] { ScanImageLinks(programFolder, pageAddress, lists); });
    SourceView sourceView;
    Attempt([&] { sourceView = SourceViewText(source, lists); });
    if (sourceView.namesLinked < sourceView.names) {
        page.notes.push_back(TooLargeNote("Source Code", sourceView.namesLinked, sourceView.names,
                                          "image names linked"));
    }
    std::optional<std::size_t> imagesShown;
    AttemptViewWrite(page, [&] { imagesShown = WriteImagePage(programFolder, lists); });
    if (imagesShown && *imagesShown < lists.Links[1].size()) {
        page.notes.push_back(
            TooLargeNote("Images", *imagesShown, lists.Links[1].size(), "images shown"));
    }
    AttemptViewWrite(page, [&] { WriteTextFile(page.sourcePagePath, sourceView.text); });
    Attempt([&] { ResetWorkFiles(programFolder); });
    return page;
}

}  // namespace quorvane
