#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "analysis/analysis_lists.h"
#include "analysis/page_analysis.h"
#include "base/ordered_worker.h"

namespace quorvane {

// One page analysis asked for: the body as the engine gave it (nullopt: no document), the
// page's address, and what the Browser view says of a page of its own shown in place of the
// page (the views then say there is none); empty for a page of the site.
struct AnalysisJob {
    std::optional<std::string> bodyHtml;
    std::string pageAddress;
    std::string ownPageStatus;
};

// What an analysis gave: the page and its lists, or the fault of the program that ended it
// (then page is empty and the lists hold what the run had made of them).
struct AnalysisOutcome {
    std::optional<AnalysedPage> page;
    AnalysisLists lists;
    std::string fault;
};

// Runs a window's page analyses on a thread of their own (an OrderedWorker whose newest job
// supersedes), so that a page of megabytes never holds the window up: the line-break
// conversion of the captured body, the scans and the writes of the work files. One thread
// does every run, in the order asked, so the files keep one writer. A newer page supersedes
// an older one: a run not yet begun is dropped, and one that was running stops before its
// next write and is never handed on. Going away stops the run on the thread the same way,
// without waiting for it; every work file is whole all along, with its old content or its
// new.
class PageAnalysisRunner {
  public:
    // Puts a step on the window's thread, in order; callable from any thread.
    using ToWindowThread = OrderedWorker::ToWindowThread;
    using Done = std::function<void(AnalysisOutcome)>;
    // The work of one run, on the runner's thread, perhaps after the runner has gone: it owns
    // what it touches. stop is asked when a newer page comes or the runner goes; a run may
    // end early then, but only between whole writes.
    using Work = std::function<AnalysisOutcome(const AnalysisJob&, std::stop_token stop)>;

    // Without toWindowThread each run is done in Start itself, on the caller's thread
    // (the window's logic tested without a display). work defaults to AnalyseOnWorkFiles.
    PageAnalysisRunner(std::string workFolder, ToWindowThread toWindowThread, Work work = {});
    PageAnalysisRunner(const PageAnalysisRunner&) = delete;
    PageAnalysisRunner& operator=(const PageAnalysisRunner&) = delete;

    // Runs job after the run now on the thread, in place of any that waits; done is called
    // on the window's thread with its outcome unless a newer Start came first.
    void Start(AnalysisJob job, Done done);
    // A run was asked for and has not answered yet (on the window's thread).
    bool Busy() const { return busy_; }

    // The analysis of job on the work files of workFolder; a fault of the program is caught
    // into the outcome, since nothing above a thread of its own could catch it. Once stop is
    // asked, the run ends before its next write (its outcome then says it was stopped).
    static AnalysisOutcome AnalyseOnWorkFiles(const std::string& workFolder, const AnalysisJob& job,
                                              std::stop_token stop = {});

  private:
    Work work_;
    bool busy_ = false;
    OrderedWorker worker_;  // last, so that no outcome comes once the rest is gone
};

}  // namespace quorvane
