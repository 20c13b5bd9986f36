#pragma once

#include <cstddef>
#include <vector>

#include "requests/request_columns.h"
#include "requests/request_log.h"

namespace quorvane {

// The places of the rows to show, sorted by column, as the Image List's are
// (SortPlaces): numbers and times by value, unknown before any; texts by their bytes;
// equal rows in the order the page made them.
void SortRequestRows(const RequestLog& log, std::vector<std::size_t>& shown, RequestColumn column,
                     bool ascending);

}  // namespace quorvane
