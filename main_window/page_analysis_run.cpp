#include "main_window/page_analysis_run.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/page_analysis.h"
#include "base/address_scheme.h"
#include "base/line_breaks.h"
#include "main_window/skip_browser_errors.h"

namespace quorvane {

PageAnalysisRun::PageAnalysisRun(WindowViews& views, MainWindowSurface& surface,
                                 std::string workFolder)
    : views_(views), surface_(surface), workFolder_(std::move(workFolder)) {}

// The engine answers the capture later, while events keep arriving. An analysis asked
// for meanwhile must not start a second, overlapping run on the same work files and
// lists; it is remembered and run once when the current run ends.
void PageAnalysisRun::Run() {
    if (analysing_) {
        analysisRequested_ = true;
        return;
    }
    analysing_ = true;
    // A page of our own in the Browser view (the page could not be opened) is no page of
    // the site: its document is not captured, and the generated views say there is none.
    if (!views_.Browser().OwnPageStatus().empty()) {
        OnBodyCaptured(std::nullopt);
        return;
    }
    auto answered = std::make_shared<bool>(false);
    try {
        views_.Browser().CaptureBodyHtml([this, answered](std::optional<std::string> body) {
            *answered = true;
            OnBodyCaptured(std::move(body));
        });
    } catch (const BrowserError&) {
        // A capture that cannot be made is a page without a document: the analysis
        // still writes the files and points the views at them.
        if (!*answered) {
            OnBodyCaptured(std::nullopt);
        }
    }
}

// The work files keep the page's lines as CR LF ends them, whatever the engine gave.
void PageAnalysisRun::OnBodyCaptured(std::optional<std::string> bodyHtml) {
    if (bodyHtml) {
        bodyHtml = WithCrLfLineBreaks(*bodyHtml);
    }
    {
        // However the run ends, the next analysis must be able to start.
        struct EndOfRun {
            bool& analysing;
            ~EndOfRun() { analysing = false; }
        } endOfRun{analysing_};
        Analyse(bodyHtml);
    }
    if (analysisRequested_) {
        analysisRequested_ = false;
        Run();
    }
}

void PageAnalysisRun::Analyse(const std::optional<std::string>& bodyHtml) {
    std::string address;
    std::optional<AnalysedPage> page;
    try {
        SkipBrowserErrors([&] { address = views_.Browser().Address(); });
        // A page of our own in the Browser view is no page of the site: the views say so.
        const std::string ownPage = views_.Browser().OwnPageStatus();
        page = ownPage.empty() ? AnalysePageText(workFolder_, bodyHtml, address, lists_)
                               : AnalyseNoPage(workFolder_, ownPage, lists_);
    } catch (const std::exception& fault) {
        // A fault of the program, not of the page: this page's analysis ends here and
        // the views keep the pages they show, but the user learns that it failed.
        analysisNote_ = std::string("The analysis of this page failed: ") + fault.what();
        noteAfterLoad_ = {};
        surface_.SetStatusText(analysisNote_);
        return;
    }
    analysisNote_ = StatusLine(*page);
    noteAfterLoad_ = {false, !analysisNote_.empty(), !analysisNote_.empty()};
    if (!analysisNote_.empty()) {
        surface_.SetStatusText(analysisNote_);
    }
    // The generated pages are local files; a web page's may load nothing local.
    for (const int view : {WindowViews::kSourceView, WindowViews::kImagesView}) {
        SkipBrowserErrors(
            [&] { views_.Element(view).SetLocalFilesBlocked(!IsLocalPage(address)); });
    }
    SkipBrowserErrors(
        [&] { views_.Element(WindowViews::kSourceView).LoadFile(page->sourcePagePath); });
    SkipBrowserErrors(
        [&] { views_.Element(WindowViews::kImagesView).LoadFile(page->imagePagePath); });
}

// The generated views' own loads put their status texts in panel 1 too; once a view has
// loaded the page the analysis wrote, what the analysis has to say comes back.
void PageAnalysisRun::ViewLoaded(int index) {
    if (noteAfterLoad_[index]) {
        noteAfterLoad_[index] = false;
        surface_.SetStatusText(analysisNote_);
    }
}

}  // namespace quorvane
