#include "main_window/page_analysis_runner.h"

#include <exception>
#include <utility>

#include "base/line_breaks.h"
#include "main_window/stoppable_work_files.h"

namespace quorvane {

PageAnalysisRunner::PageAnalysisRunner(std::string workFolder, ToWindowThread toWindowThread,
                                       Work work)
    : toWindowThread_(std::move(toWindowThread)), work_(std::move(work)) {
    if (!work_) {
        work_ = [folder = std::move(workFolder)](const AnalysisJob& job, std::stop_token stop) {
            return AnalyseOnWorkFiles(folder, job, std::move(stop));
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

void PageAnalysisRunner::Start(AnalysisJob job, Done done) {
    busy_ = true;
    Waiting run{std::move(job), std::move(done), 0};
    {
        const std::lock_guard lock(shared_->mutex);
        run.number = ++shared_->latest;
        // The run on the thread, if any, is of an older page: it ends before its next write.
        shared_->running.request_stop();
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
        std::stop_source runStop;
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
            shared_->running = std::stop_source();
            runStop = shared_->running;
        }
        const std::stop_callback goingAway(stop, [&runStop] { runStop.request_stop(); });
        auto outcome = std::make_shared<AnalysisOutcome>(work_(run.job, runStop.get_token()));
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
