#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "requests/request_columns.h"
#include "requests/request_log.h"
#include "requests/request_row_filter.h"

namespace quorvane {

// The Resources tab as its table shows it: the page's request log, the user's filter and
// sort. The rows shown are filtered and sorted when first asked for after a change, so
// that requests coming one after another cost one filtering, while the window is idle.
class RequestListTable {
  public:
    RequestLog& Log() { return log_; }
    const RequestLog& Log() const { return log_; }

    void SetFilter(const RequestFilterSettings& settings);
    // Sorted by column; back to the order the page made them in with Number.
    void SortBy(RequestColumn column, bool ascending);
    RequestColumn SortColumn() const { return column_; }
    bool SortAscending() const { return ascending_; }

    // The rows shown, by their place in the log's rows, in the order shown.
    const std::vector<std::size_t>& Shown() const;
    const RequestRow& ShownRow(std::size_t line) const { return log_.Rows()[Shown()[line]]; }
    // "312 of 1 204 requests", with what the log left out, or why the filter's expression
    // cannot be used.
    std::string CountText() const;

  private:
    RequestLog log_;
    RequestFilterSettings filter_;
    RequestColumn column_ = RequestColumn::Number;
    bool ascending_ = true;
    mutable std::vector<std::size_t> shown_;
    mutable std::string filterError_;
    mutable bool stale_ = true;
    mutable std::uint64_t changesShown_ = 0;  // the log's changes when shown_ was made
};

}  // namespace quorvane
