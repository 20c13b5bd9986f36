#include "analysis/page_analysis.h"

#include <optional>
#include <system_error>

#include "analysis/html_escape.h"
#include "analysis/image_page.h"
#include "analysis/image_scanners.h"
#include "analysis/source_view.h"
#include "analysis/work_files.h"
#include "base/ascii.h"

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

// The user is told which file could not be written and why, in the error's own words.
void NoteNotWritten(AnalysedPage& page, const std::system_error& error) {
    std::string note = error.what();
    note[0] = UpperAscii(note[0]);
    if (page.notes.empty() || page.notes.back() != note) {
        page.notes.push_back(std::move(note));
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
// all four lists together within their largest size. A scan that could not write its
// file loses its images, which must not pass for a page without any: the failure is
// reported.
void ScanPage(AnalysedPage& page, WorkFileWriter& files, std::string_view scanned,
              const std::string& pageAddress, AnalysisLists& lists) {
    const auto record = [&](TagScan scan, FoundImages& found) {
        try {
            RecordScan(files, std::move(scan), found.addresses, found.fileNames);
        } catch (const std::system_error& error) {
            NoteNotWritten(page, error);
            page.scanFileNotWritten = true;
        }
    };
    ScanPageImages(scanned, pageAddress, lists, record);
}

// A view file that cannot be written keeps its earlier page, which the view then shows;
// the user is told which file and why, in the error's own words.
template <typename Text>
bool WriteView(AnalysedPage& page, WorkFileWriter& files, std::string_view name, const Text& text) {
    try {
        files.Write(name, text);
        return true;
    } catch (const std::system_error& error) {
        NoteNotWritten(page, error);
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
    const SourceViewPlan sourceView(source, lists);
    if (sourceView.NamesLinked() < sourceView.Names()) {
        page.notes.push_back(TooLargeNote("Source Code", sourceView.NamesLinked(),
                                          sourceView.Names(), "image names linked"));
    }
    const std::vector<std::string>& images = lists.imageTags.addresses;
    std::size_t imagesShown = 0;
    if (WriteView(page, files, kImagePageFile, TextProducer([&](const PieceWriter& write) {
                      imagesShown = WriteImagePage(images, write);
                  })) &&
        imagesShown < images.size()) {
        page.notes.push_back(TooLargeNote("Images", imagesShown, images.size(), "images shown"));
    }
    WriteView(page, files, kSourceFile,
              TextProducer([&](const PieceWriter& write) { sourceView.WriteInPieces(write); }));
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
    const std::string noDocument;
    const std::string& source = bodyHtml ? *bodyHtml : noDocument;
    // What the scanners read: the page, or what checkImages.txt held if it was not written,
    // which is no scan of this page and is said to be none. The CR LF the file holds
    // after the page only ends its last line, which changes no scan: they read the page.
    std::optional<std::string> earlier;
    std::optional<std::system_error> notWritten;
    const bool readable =
        Attempt([&] { earlier = files.WriteForReaders(kCheckImagesFile, source, &notWritten); });
    const std::string_view scanned = earlier ? std::string_view(*earlier) : source;
    if (notWritten) {
        NoteNotWritten(page, *notWritten);
        page.scanFileNotWritten = true;
    }
    lists.Clear();
    if (readable) {
        ScanPage(page, files, scanned, pageAddress, lists);
    }
    WriteViews(page, files, source, lists);
    Attempt([&] { ResetWorkFiles(files); });
    return page;
}

std::string NoPageText(const std::string& reason) {
    return "<p>No page: " + EscapeInsertedText(reason) + "</p>";
}

// The views' files written for no document are replaced by the page that says why; a
// file that cannot be written is said as for any page.
AnalysedPage AnalyseNoPage(WorkFileWriter& files, const std::string& reason, AnalysisLists& lists) {
    AnalysedPage page = AnalysePageText(files, std::nullopt, std::string(), lists);
    const std::string text = NoPageText(reason);
    WriteView(page, files, kImagePageFile, text);
    WriteView(page, files, kSourceFile, text);
    return page;
}

AnalysedPage AnalyseNoPage(const std::string& programFolder, const std::string& reason,
                           AnalysisLists& lists) {
    WorkFileWriter files(programFolder);
    return AnalyseNoPage(files, reason, lists);
}

AnalysedPage AnalysePageText(const std::string& programFolder,
                             const std::optional<std::string>& bodyHtml,
                             const std::string& pageAddress, AnalysisLists& lists) {
    WorkFileWriter files(programFolder);
    return AnalysePageText(files, bodyHtml, pageAddress, lists);
}

}  // namespace quorvane
