#include "requests/request_list_table.h"

#include "requests/request_row_order.h"

namespace quorvane {

void RequestListTable::SetFilter(const RequestFilterSettings& settings) {
    filter_ = settings;
    stale_ = true;
}

void RequestListTable::SortBy(RequestColumn column, bool ascending) {
    column_ = column;
    ascending_ = ascending;
    stale_ = true;
}

const std::vector<std::size_t>& RequestListTable::Shown() const {
    if (stale_ || changesShown_ != log_.Changes()) {
        RequestRowFilter filter(filter_);
        shown_ = filter.Shown(log_);
        filterError_ = filter.Error();
        if (column_ != RequestColumn::Number || !ascending_) {
            SortRequestRows(log_, shown_, column_, ascending_);
        }
        stale_ = false;
        changesShown_ = log_.Changes();
    }
    return shown_;
}

std::string RequestListTable::CountText() const {
    const std::size_t shown = Shown().size();
    return filterError_.empty() ? RequestCountText(shown, log_) : filterError_;
}

}  // namespace quorvane
