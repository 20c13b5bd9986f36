#pragma once

#include <stdexcept>
#include <stop_token>
#include <string>

#include "analysis/work_file_writer.h"

namespace quorvane {

// A run asked to stop (a newer page, or the window closing) ends before its next file or
// between two pieces of a large one: every work file stays whole, with its old content or
// its new.
class RunStopped : public std::runtime_error {
  public:
    RunStopped() : std::runtime_error("the analysis was stopped") {}
};

// The work files of a run on the analysis thread, which throw RunStopped once stop is asked.
class StoppableWorkFiles : public WorkFileWriter {
  public:
    StoppableWorkFiles(std::string folder, std::stop_token stop)
        : WorkFileWriter(std::move(folder)), stop_(std::move(stop)) {}

  protected:
    void WriteFile(const std::string& path, const TextProducer& produce) override;

  private:
    void ThrowIfStopped() const;

    std::stop_token stop_;
};

}  // namespace quorvane
