#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "inspection/row_text_match.h"
#include "requests/request_log.h"

namespace quorvane {

// The status classes the Resources tab's filter offers.
enum class StatusClass {
    Any,
    Success,      // 2xx
    Redirect,     // 3xx
    ClientError,  // 4xx
    ServerError,  // 5xx
    Failed,       // no answer: refused, not found, cancelled, blocked
    Waiting,      // not ended yet
};

// What the user asks the Resources tab to show.
struct RequestFilterSettings {
    std::string text{};              // in the address; "" for any
    bool regularExpression = false;  // text is a regular expression, as the Image List's
    std::string type{};              // in the type or the kind: "png", "script"; "" for any
    StatusClass status = StatusClass::Any;
    bool thirdPartyOnly = false;
};

// The rows a filter lets through, with the Image List's text filter (RowTextMatch).
class RequestRowFilter {
  public:
    explicit RequestRowFilter(const RequestFilterSettings& settings);

    bool Matches(const RequestLog& log, const RequestRow& row);
    // "Bad expression: " and why, or that it is too costly; "" when it could be applied.
    std::string Error() const { return text_.Error(); }
    // The places of the rows it lets through, in the log's order; none past an error.
    std::vector<std::size_t> Shown(const RequestLog& log);

  private:
    RequestFilterSettings settings_;
    RowTextMatch text_;
};

bool InStatusClass(const RequestRow& row, StatusClass status);

// "1 204 requests", "312 of 1 204 requests", and what the log left out.
std::string RequestCountText(std::size_t shown, const RequestLog& log);

}  // namespace quorvane
