#include "image_list/image_report_reader.h"

#include <algorithm>
#include <utility>

#include "image_list/image_report.h"

namespace quorvane {

ImageReportReader::ImageReportReader(Read read, OrderedWorker::ToWindowThread toWindowThread,
                                     std::size_t maxWaitingBytes)
    : read_(std::move(read)),
      maxWaitingBytes_(maxWaitingBytes),
      parsing_(std::move(toWindowThread)) {}

void ImageReportReader::Add(std::string report) {
    const std::uint64_t number = firstComing_ + coming_.size();
    if (waitingBytes_ + report.size() > maxWaitingBytes_) {
        coming_.push_back({0, false, std::nullopt});
        Ready(page_, number, ParseImageReport(report));
        return;
    }
    coming_.push_back({report.size(), false, std::nullopt});
    waitingBytes_ += report.size();
    parsing_.Post([this, page = page_, number, report = std::move(report)] {
        return [this, page, number, read = ParseImageReport(report)]() mutable {
            Ready(page, number, std::move(read));
        };
    });
}

void ImageReportReader::Clear() {
    ++page_;
    parsing_.DropWaiting();
    firstComing_ += coming_.size();
    coming_.clear();
    waitingBytes_ = 0;
}

void ImageReportReader::Ready(unsigned page, std::uint64_t number,
                              std::optional<ImageReport> report) {
    if (page != page_) {
        return;
    }
    Coming& coming = coming_[static_cast<std::size_t>(number - firstComing_)];
    coming.ready = true;
    coming.report = std::move(report);
    HandOver();
}

void ImageReportReader::HandOver() {
    while (!coming_.empty() && coming_.front().ready) {
        Coming first = std::move(coming_.front());
        coming_.pop_front();
        ++firstComing_;
        waitingBytes_ -= std::min(waitingBytes_, first.bytes);
        if (first.report) {
            read_(std::move(*first.report));
        }
    }
}

}  // namespace quorvane
