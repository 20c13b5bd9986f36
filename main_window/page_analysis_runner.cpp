#include "main_window/page_analysis_runner.h"

#include <exception>
#include <memory>
#include <utility>

#include "base/line_breaks.h"
#include "main_window/stoppable_work_files.h"

namespace quorvane {

PageAnalysisRunner::PageAnalysisRunner(std::string workFolder, ToWindowThread toWindowThread,
                                       Work work)
    : work_(std::move(work)),
      worker_(std::move(toWindowThread), OrderedWorker::Order::NewestSupersedes) {
    if (!work_) {
        work_ = [folder = std::move(workFolder)](const AnalysisJob& job, std::stop_token stop) {
            return AnalyseOnWorkFiles(folder, job, std::move(stop));
        };
    }
}

// The work files keep the page's lines as CR LF ends them, whatever the engine gave.
AnalysisOutcome PageAnalysisRunner::AnalyseOnWorkFiles(const std::string& workFolder,
                                                       const AnalysisJob& job,
                                                       std::stop_token stop) {
    AnalysisOutcome outcome;
    try {
        std::optional<std::string> body;
        if (job.bodyHtml) {
            body = WithCrLfLineBreaks(*job.bodyHtml);
        }
        StoppableWorkFiles files(workFolder, std::move(stop));
        outcome.page = job.ownPageStatus.empty()
                           ? AnalysePageText(files, body, job.pageAddress, outcome.lists)
                           : AnalyseNoPage(files, job.ownPageStatus, outcome.lists);
    } catch (const std::exception& fault) {
        outcome.page.reset();
        outcome.fault = fault.what();
    }
    return outcome;
}

// The run holds its own copy of the work; only its answer, on the window's thread, reaches
// the runner, and only while the runner is there.
void PageAnalysisRunner::Start(AnalysisJob job, Done done) {
    busy_ = true;
    worker_.Post([this, work = work_, job = std::move(job),
                  done = std::move(done)](std::stop_token stop) -> std::function<void()> {
        auto outcome = std::make_shared<AnalysisOutcome>(work(job, std::move(stop)));
        return [this, done, outcome] {
            busy_ = false;
            done(std::move(*outcome));
        };
    });
}

}  // namespace quorvane
