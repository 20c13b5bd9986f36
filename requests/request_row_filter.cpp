#include "requests/request_row_filter.h"

#include "base/text_search.h"
#include "desktop/translation.h"
#include "requests/request_columns.h"

namespace quorvane {

RequestRowFilter::RequestRowFilter(const RequestFilterSettings& settings)
    : settings_(settings), text_(settings.text, settings.regularExpression) {}

bool InStatusClass(const RequestRow& row, StatusClass status) {
    const int hundreds = row.status / 100;
    switch (status) {
        case StatusClass::Any:
            return true;
        case StatusClass::Success:
            return hundreds == 2;
        case StatusClass::Redirect:
            return hundreds == 3;
        case StatusClass::ClientError:
            return hundreds == 4;
        case StatusClass::ServerError:
            return hundreds == 5;
        case StatusClass::Failed:
            return row.stage == RequestRow::Stage::Failed;
        case StatusClass::Waiting:
            return row.stage == RequestRow::Stage::Sent || row.stage == RequestRow::Stage::Answered;
    }
    return false;
}

bool RequestRowFilter::Matches(const RequestLog& log, const RequestRow& row) {
    if (!Error().empty() || !InStatusClass(row, settings_.status)) {
        return false;
    }
    if (settings_.thirdPartyOnly && !log.ThirdParty(row)) {
        return false;
    }
    if (!settings_.type.empty() && !ContainsNoCase(row.mimeType, settings_.type) &&
        !ContainsNoCase(RequestKind(row), settings_.type) &&
        !ContainsNoCase(RequestKindShown(row), settings_.type)) {
        return false;
    }
    return text_.Matches(row.address);
}

std::vector<std::size_t> RequestRowFilter::Shown(const RequestLog& log) {
    std::vector<std::size_t> shown;
    shown.reserve(log.Rows().size());
    for (std::size_t place = 0; place < log.Rows().size(); ++place) {
        if (Matches(log, log.Rows()[place])) {
            shown.push_back(place);
        }
    }
    if (!Error().empty()) {
        shown.clear();
    }
    return shown;
}

std::string RequestCountText(std::size_t shown, const RequestLog& log) {
    const std::size_t total = log.Rows().size();
    return (shown == total
                ? Translated("{1} requests", {GroupedNumber(total)})
                : Translated("{1} of {2} requests", {GroupedNumber(shown), GroupedNumber(total)})) +
           log.BoundsText();
}

}  // namespace quorvane
