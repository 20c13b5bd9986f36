#include "requests/request_row_order.h"

#include <optional>
#include <tuple>

#include "inspection/row_places_order.h"

namespace quorvane {
namespace {

std::optional<double> Between(double from, std::optional<double> to) {
    return to ? std::optional<double>(*to - from) : std::nullopt;
}

// The failed after every answer, by why they failed.
std::tuple<bool, int, std::string> StatusKey(const RequestRow& row) {
    return {row.stage == RequestRow::Stage::Failed, row.status, row.failure};
}

int Compare(const RequestLog& log, std::size_t a, std::size_t b, RequestColumn column) {
    const RequestRow& x = log.Rows()[a];
    const RequestRow& y = log.Rows()[b];
    switch (column) {
        case RequestColumn::Number:
        case RequestColumn::Start:
            return CompareValues(a, b);
        case RequestColumn::Method:
            return CompareValues(x.method, y.method);
        case RequestColumn::Address:
            return CompareValues(x.address, y.address);
        case RequestColumn::Status:
            return CompareValues(StatusKey(x), StatusKey(y));
        case RequestColumn::Type:
            return CompareValues(x.mimeType, y.mimeType);
        case RequestColumn::Kind:
            return CompareValues(RequestKind(x), RequestKind(y));
        case RequestColumn::WireBytes:
            return CompareValues(x.wireBytes, y.wireBytes);
        case RequestColumn::DecodedBytes:
            return CompareValues(x.decodedBytes, y.decodedBytes);
        case RequestColumn::FirstByte:
            return CompareValues(Between(x.startSeconds, x.firstByteSeconds),
                                 Between(y.startSeconds, y.firstByteSeconds));
        case RequestColumn::Total:
            return CompareValues(Between(x.startSeconds, x.endSeconds),
                                 Between(y.startSeconds, y.endSeconds));
        case RequestColumn::Frame:
            return CompareValues(x.frame, y.frame);
        case RequestColumn::Party:
            return CompareValues(log.ThirdParty(x), log.ThirdParty(y));
    }
    return 0;
}

}  // namespace

void SortRequestRows(const RequestLog& log, std::vector<std::size_t>& shown, RequestColumn column,
                     bool ascending) {
    SortPlaces(shown, ascending,
               [&](std::size_t a, std::size_t b) { return Compare(log, a, b, column); });
}

}  // namespace quorvane
