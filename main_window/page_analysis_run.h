#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/analysis_lists.h"
#include "main_window/main_window_surface.h"
#include "main_window/window_views.h"

namespace quorvane {

// The page analysis of the Browser view: captures its body, runs the analysis into the
// work files and tells the Source Code and Images views to load the generated pages.
// Two runs never overlap: one asked for while another runs is run once when it ends.
class PageAnalysisRun {
  public:
    // workFolder: where the six work files live.
    PageAnalysisRun(WindowViews& views, MainWindowSurface& surface, std::string workFolder);

    void Run();
    // A generated view (index) has loaded a page: what the analysis had to say comes back.
    void ViewLoaded(int index);
    const AnalysisLists& Lists() const { return lists_; }

  private:
    // The two halves of Run, around the engine's answer to the capture.
    void OnBodyCaptured(std::optional<std::string> bodyHtml);
    void Analyse(const std::optional<std::string>& bodyHtml);

    WindowViews& views_;
    MainWindowSurface& surface_;
    std::string workFolder_;
    AnalysisLists lists_;
    bool analysing_ = false;
    bool analysisRequested_ = false;
    // What the last analysis has to say in panel 1 (a page cut short, a view file not
    // written), and which views have yet to load the page it wrote.
    std::string analysisNote_;
    std::array<bool, 3> noteAfterLoad_{};
};

}  // namespace quorvane
