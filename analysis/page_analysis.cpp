#include "analysis/page_analysis.h"

#include <system_error>

#include "analysis/image_page.h"
#include "analysis/image_scanners.h"
#include "analysis/source_view.h"
#include "analysis/text_search.h"
#include "analysis/work_files.h"

namespace quorvane {

namespace {

// The analysis stays silent about its work files: a step whose file cannot be written
// or read ends where it failed and the run goes on with the next step. This is the one
// place that swallows such a failure; no other kind is expected here.
template <typename Step>
bool Attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// A scanner writes its tag lines twice; one whose write fails ends there, so its
// images count only when both writes were made.
void RecordScan(WorkFileWriter& files, TagScan scan, std::vector<std::string>& links,
                std::vector<std::string>& names) {
    files.Write(kCheckImagesCleanFile, scan.tagLines);
    files.Write(kCheckImagesCleanFile, scan.keptLines);
    links = std::move(scan.links);
    names = std::move(scan.names);
}

// Both scanners over the text they read, each with its writes of the tag lines, and
// all four lists together within their largest size.
void ScanPage(WorkFileWriter& files, const std::string& scanned, const std::string& pageAddress,
              AnalysisLists& lists) {
    TagScan tags = ScanImageTags(scanned, pageAddress, kMaxListBytes);
    Attempt([&] {
        RecordScan(files, std::move(tags), lists.imageTags.addresses, lists.imageTags.fileNames);
    });
    TagScan links = ScanImageLinks(scanned, pageAddress, kMaxListBytes - lists.Bytes());
    Attempt([&] {
        RecordScan(files, std::move(links), lists.imageLinks.addresses, lists.imageLinks.fileNames);
    });
}

// A view file that cannot be written keeps its earlier page, which the view then shows;
// the user is told which file and why, in the error's own words.
bool WriteView(AnalysedPage& page, WorkFileWriter& files, std::string_view name,
               std::string_view text) {
    try {
        files.Write(name, text);
        return true;
    } catch (const std::system_error& error) {
        std::string note = error.what();
        note[0] = UpperAscii(note[0]);
        page.notes.push_back(std::move(note));
        page.viewFileNotWritten = true;
        return false;
    }
}

std::string TooLargeNote(const char* view, std::size_t done, std::size_t all, const char* what) {
    return std::string(view) + ": " + std::to_string(done) + " of " + std::to_string(all) + " " +
           what + "; the rest would make the page too large";
}

// Both views, each written whole or not at all, and what the user is told about them.
void WriteViews(AnalysedPage& page, WorkFileWriter& files, const std::string& source,
                const AnalysisLists& lists) {
    const SourceView sourceView = SourceViewText(source, lists);
    if (sourceView.namesLinked < sourceView.names) {
        page.notes.push_back(TooLargeNote("Source Code", sourceView.namesLinked, sourceView.names,
                                          "image names linked"));
    }
    {
        const ImagePage imagePage = ImagePageText(lists.imageTags.addresses);
        if (WriteView(page, files, kImagePageFile, imagePage.text) &&
            imagePage.imagesShown < lists.imageTags.addresses.size()) {
            page.notes.push_back(TooLargeNote("Images", imagePage.imagesShown,
                                              lists.imageTags.addresses.size(), "images shown"));
        }
    }
    WriteView(page, files, kSourceFile, sourceView.text);
}

}  // namespace

std::string StatusLine(const AnalysedPage& page) {
    std::string line;
    for (const std::string& note : page.notes) {
        line += (line.empty() ? "" : ". ") + note;
    }
    return line;
}

AnalysedPage AnalysePageText(WorkFileWriter& files, const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists) {
    AnalysedPage page;
    page.sourcePagePath = files.Path(kSourceFile);
    page.imagePagePath = files.Path(kImagePageFile);
    const std::string source = bodyHtml.value_or(std::string());
    // What the scanners read: the page, or what checkImages.txt held if it was not written.
    std::string scanned;
    const bool readable =
        Attempt([&] { scanned = files.WriteForReaders(kCheckImagesFile, source); });
    lists.Clear();
    if (readable) {
        ScanPage(files, scanned, pageAddress, lists);
    }
    WriteViews(page, files, source, lists);
    Attempt([&] { ResetWorkFiles(files); });
    return page;
}

AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists) {
    WorkFileWriter files(programFolder);
    return AnalysePageText(files, bodyHtml, pageAddress, lists);
}

}  // namespace quorvane
