#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/analysis_lists.h"
#include "main_window/main_window_surface.h"
#include "main_window/page_analysis_runner.h"
#include "main_window/window_views.h"

namespace quorvane {

// The page analysis of the Browser view: captures its body, runs the analysis into the
// work files off the window's thread and tells the Source Code and Images views to load
// the generated pages. Two captures never overlap: one asked for while another is on is
// made once it is answered; the analysis of a newer capture supersedes an older one still
// running. Until the views are sent to the new page they say they prepare it.
class PageAnalysisRun {
  public:
    // workFolder: where the six work files live. toWindowThread: as PageAnalysisRunner's.
    PageAnalysisRun(WindowViews& views, MainWindowSurface& surface, std::string workFolder,
                    PageAnalysisRunner::ToWindowThread toWindowThread = {});

    void Run();
    // A generated view (index) has loaded a page: what the analysis had to say comes back.
    void ViewLoaded(int index);
    // A view was shown: panel 1 says when it is a generated view still being prepared.
    void ViewShown();
    const AnalysisLists& Lists() const { return lists_; }

  private:
    // The parts of Run: the engine's answer to the capture, the start of the run on the
    // analysis thread, and its outcome back on the window's thread.
    void OnBodyStartCaptured(unsigned capture, std::optional<std::string> bodyStart);
    void OnBodyCaptured(std::optional<std::string> bodyHtml);
    void Start(std::optional<std::string> bodyHtml);
    void OnAnalysed(const std::string& address, AnalysisOutcome outcome);
    void ShowFault(const std::string& what);
    void SetPreparing(bool preparing);

    WindowViews& views_;
    MainWindowSurface& surface_;
    AnalysisLists lists_;
    std::string sourcePagePath_;
    std::string imagePagePath_;
    unsigned captures_ = 0;  // the number of the latest capture
    bool capturing_ = false;
    bool analysisRequested_ = false;
    bool preparing_ = false;  // the generated views wait for the analysis of a new page
    // What the last analysis has to say in panel 1 (a page cut short, a view file not
    // written), and which views have yet to load the page it wrote.
    std::string analysisNote_;
    std::array<bool, 3> noteAfterLoad_{};
    PageAnalysisRunner runner_;  // last: stopped before what its outcomes reach goes
};

}  // namespace quorvane
