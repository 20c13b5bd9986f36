#include "main_window/page_analysis_runner.h"

#include <exception>
#include <utility>

#include "base/line_breaks.h"

namespace quorvane {

PageAnalysisRunner::PageAnalysisRunner(std::string workFolder, ToWindowThread toWindowThread,
                                       Work work)
    : toWindowThread_(std::move(toWindowThread)), work_(std::move(work)) {
    if (!work_) {
        work_ = [folder = std::move(workFolder)](const AnalysisJob& job, std::stop_token) {
            return AnalyseOnWorkFiles(folder, job);
        };
    }
    if (toWindowThread_) {
        worker_ = std::jthread([this](std::stop_token stop) { RunOnThread(stop); });
    }
}

// The jthread asks its stop and joins: a run waiting is dropped, the one running ends first.
PageAnalysisRunner::~PageAnalysisRunner() = default;

// The work files keep the page's lines as CR LF ends them, whatever the engine gave.
AnalysisOutcome PageAnalysisRunner::AnalyseOnWorkFiles(const std::string& workFolder,
                                                       const AnalysisJob& job) {
    AnalysisOutcome outcome;
    try {
        std::optional<std::string> body;
        if (job.bodyHtml) {
            body = WithCrLfLineBreaks(*job.bodyHtml);
        }
        outcome.page = AnalysePageText(workFolder, body, job.pageAddress, outcome.lists);
    } catch (const std::exception& fault) {
        outcome.page.reset();
        outcome.fault = fault.what();
    }
    return outcome;
}

void PageAnalysisRunner::Start(AnalysisJob job, Done done) {
    busy_ = true;
    Waiting run{std::move(job), std::move(done), 0};
    {
        const std::lock_guard lock(shared_->mutex);
        run.number = ++shared_->latest;
        if (toWindowThread_) {
            shared_->waiting = std::move(run);
            shared_->wakeUp.notify_one();
            return;
        }
    }
    Answer(run.number, run.done, work_(run.job, std::stop_token()));
}

void PageAnalysisRunner::RunOnThread(std::stop_token stop) {
    while (true) {
        Waiting run;
        {
            std::unique_lock lock(shared_->mutex);
            // A page waiting when the runner goes is dropped, never begun.
            if (!shared_->wakeUp.wait(lock, stop,
                                      [this] { return shared_->waiting.has_value(); }) ||
                stop.stop_requested()) {
                return;
            }
            run = std::move(*shared_->waiting);
            shared_->waiting.reset();
        }
        auto outcome = std::make_shared<AnalysisOutcome>(work_(run.job, stop));
        toWindowThread_([this, shared = std::weak_ptr<Shared>(shared_), number = run.number,
                         done = std::move(run.done), outcome] {
            // The runner is gone when its shared part is: the step touches nothing of it.
            if (shared.expired()) {
                return;
            }
            Answer(number, done, std::move(*outcome));
        });
    }
}

// On the window's thread. Only the newest run answers; the window never shows an older one.
void PageAnalysisRunner::Answer(std::uint64_t number, const Done& done, AnalysisOutcome outcome) {
    {
        const std::lock_guard lock(shared_->mutex);
        if (number != shared_->latest) {
            return;
        }
    }
    busy_ = false;
    done(std::move(outcome));
}

}  // namespace quorvane
