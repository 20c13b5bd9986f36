#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "base/ordered_worker.h"
#include "image_list/image_list.h"

namespace quorvane {

// Reads the gatherer's reports beside the window: a report of thousands of findings takes
// milliseconds to parse, which a page of ten thousand images would cost the window again
// and again. Each report that can be read reaches read on the window's thread, in the
// order the reports came; those of the page before the last Clear never do. Up to
// maxWaitingBytes of reports wait to be read or handed over; one beyond that is read on
// the window's thread, as a page that sends more than the worker reads must not cost
// memory without end.
class ImageReportReader {
  public:
    static constexpr std::size_t kMaxWaitingBytes = 64 * 1024 * 1024;
    using Read = std::function<void(ImageReport report)>;

    // toWindowThread: as OrderedWorker's; without it each report is read at once.
    ImageReportReader(Read read, OrderedWorker::ToWindowThread toWindowThread,
                      std::size_t maxWaitingBytes = kMaxWaitingBytes);

    void Add(std::string report);
    // A new page: the reports not handed over yet are dropped.
    void Clear();

  private:
    struct Coming {
        std::size_t bytes;  // counted in waitingBytes_
        bool ready = false;
        std::optional<ImageReport> report;  // once ready; none when it could not be read
    };

    void Ready(unsigned page, std::uint64_t number, std::optional<ImageReport> report);
    // Hands over the reports ready that no earlier report waits before.
    void HandOver();

    Read read_;
    std::deque<Coming> coming_;      // in the order they came
    std::uint64_t firstComing_ = 0;  // the number of coming_'s first report
    std::size_t maxWaitingBytes_;
    std::size_t waitingBytes_ = 0;
    unsigned page_ = 0;
    OrderedWorker parsing_;  // last, so that it is stopped before what its answers reach goes
};

}  // namespace quorvane
