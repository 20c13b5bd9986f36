#include "main_window/page_analysis_run.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/page_analysis.h"
#include "analysis/work_files.h"
#include "base/address_scheme.h"
#include "desktop/translation.h"
#include "engine/generated_view_load.h"
#include "main_window/expected_first_screen.h"
#include "main_window/skip_browser_errors.h"

namespace quorvane {

PageAnalysisRun::PageAnalysisRun(WindowViews& views, MainWindowSurface& surface,
                                 std::string workFolder,
                                 PageAnalysisRunner::ToWindowThread toWindowThread)
    : views_(views),
      surface_(surface),
      sourcePagePath_(WorkFilePath(workFolder, kSourceFile)),
      imagePagePath_(WorkFilePath(workFolder, kImagePageFile)),
      runner_(std::move(workFolder), std::move(toWindowThread)) {}

namespace {

// The first screen takes no more of the body than of the page (the page only adds to the
// body's text); the rest lets a name that begins in that part end where it ends.
constexpr std::size_t kBodyStartChars = GeneratedViewLoad::kFirstScreenBytes * 3 / 2;

}  // namespace

// The engine answers the capture later, while events keep arriving. An analysis asked
// for meanwhile must not start a second, overlapping capture; it is remembered and made
// once the current capture is answered.
void PageAnalysisRun::Run() {
    if (capturing_) {
        analysisRequested_ = true;
        return;
    }
    capturing_ = true;
    SetPreparing(true);
    // A page of our own in the Browser view (the page could not be opened) is no page of
    // the site: its document is not captured, and the generated views say there is none.
    if (!views_.Browser().OwnPageStatus().empty()) {
        OnBodyCaptured(std::nullopt);
        return;
    }
    auto answered = std::make_shared<bool>(false);
    try {
        // The start is answered first, in a moment, where the whole takes the engine and the
        // analysis as long as the page is large: the first screen shows meanwhile.
        const unsigned capture = ++captures_;
        views_.Browser().CaptureBodyStart(kBodyStartChars,
                                          [this, capture](std::optional<std::string> bodyStart) {
                                              OnBodyStartCaptured(capture, std::move(bodyStart));
                                          });
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

// A start answered after its capture, or for an older one, says nothing of the page now made.
void PageAnalysisRun::OnBodyStartCaptured(unsigned capture, std::optional<std::string> bodyStart) {
    if (!bodyStart || capture != captures_ || !capturing_) {
        return;
    }
    std::string address;
    SkipBrowserErrors([&] { address = views_.Browser().Address(); });
    const bool localFilesBlocked = !IsLocalPage(address);
    const std::string sourceScreen = ExpectedSourceFirstScreen(*bodyStart, address);
    SkipBrowserErrors([&] {
        views_.Generated(WindowViews::kSourceView)
            .SetPreparedFirstScreen(sourceScreen, sourcePagePath_, localFilesBlocked);
    });
    if (std::string imagesScreen = ExpectedImagesFirstScreen(*bodyStart, address);
        !imagesScreen.empty()) {
        SkipBrowserErrors([&] {
            views_.Generated(WindowViews::kImagesView)
                .SetPreparedFirstScreen(std::move(imagesScreen), imagePagePath_, localFilesBlocked);
        });
    }
}

// The analysis runs off the window's thread; the window goes on meanwhile.
void PageAnalysisRun::OnBodyCaptured(std::optional<std::string> bodyHtml) {
    {
        // However the start ends, the next analysis must be able to start.
        struct EndOfCapture {
            bool& capturing;
            ~EndOfCapture() { capturing = false; }
        } endOfCapture{capturing_};
        Start(std::move(bodyHtml));
    }
    if (analysisRequested_) {
        analysisRequested_ = false;
        Run();
    }
}

void PageAnalysisRun::Start(std::optional<std::string> bodyHtml) {
    std::string address;
    std::string ownPage;
    try {
        SkipBrowserErrors([&] { address = views_.Browser().Address(); });
        // A page of our own in the Browser view is no page of the site: the views say so.
        ownPage = views_.Browser().OwnPageStatus();
    } catch (const std::exception& fault) {
        ShowFault(fault.what());
        return;
    }
    runner_.Start(
        {std::move(bodyHtml), address, ownPage},
        [this, address](AnalysisOutcome outcome) { OnAnalysed(address, std::move(outcome)); });
}

// A fault of the program, not of the page: this page's analysis ends here and the views
// keep the pages they show, but the user learns that it failed.
void PageAnalysisRun::ShowFault(const std::string& what) {
    SetPreparing(false);
    analysisNote_ = Translated("The analysis of this page failed: {1}", {what});
    noteAfterLoad_ = {};
    surface_.SetStatusText(analysisNote_);
}

void PageAnalysisRun::OnAnalysed(const std::string& address, AnalysisOutcome outcome) {
    lists_ = std::move(outcome.lists);
    if (!outcome.page) {
        ShowFault(outcome.fault);
        return;
    }
    const AnalysedPage& page = *outcome.page;
    preparing_ = false;
    analysisNote_ = StatusLine(page);
    noteAfterLoad_ = {false, !analysisNote_.empty(), !analysisNote_.empty()};
    if (!analysisNote_.empty()) {
        surface_.SetStatusText(analysisNote_);
    }
    // The generated pages are local files; a web page's may load nothing local.
    for (const int view : {WindowViews::kSourceView, WindowViews::kImagesView}) {
        SkipBrowserErrors(
            [&] { views_.Generated(view).SetLocalFilesBlocked(!IsLocalPage(address)); });
    }
    SkipBrowserErrors(
        [&] { views_.Generated(WindowViews::kSourceView).LoadFile(page.sourcePagePath); });
    SkipBrowserErrors(
        [&] { views_.Generated(WindowViews::kImagesView).LoadFile(page.imagePagePath); });
}

// Never an old page as if it were the new one: from the start of the analysis until a
// generated view is sent to the new page, it says it is preparing it, and so does panel 1
// while that view is the one shown.
void PageAnalysisRun::SetPreparing(bool preparing) {
    preparing_ = preparing;
    for (const int view : {WindowViews::kSourceView, WindowViews::kImagesView}) {
        SkipBrowserErrors([&] { views_.Generated(view).SetPreparing(preparing); });
    }
    ViewShown();
}

void PageAnalysisRun::ViewShown() {
    const int visible = views_.VisibleView();
    if (preparing_ &&
        (visible == WindowViews::kSourceView || visible == WindowViews::kImagesView)) {
        surface_.SetStatusText(
            visible == WindowViews::kSourceView
                ? Translated("Preparing the Source Code view for the new page...")
                : Translated("Preparing the Images view for the new page..."));
    }
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
