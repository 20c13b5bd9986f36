#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/request_events.h"
#include "requests/header_bounds.h"
#include "requests/registrable_domains.h"
#include "requests/request_row.h"

namespace quorvane {

// The requests of the Browser view's page since its load began, one row each in the order
// they were made, fed by the engine's events. A redirect ends its row and starts the next
// of the chain; a row's frame is the frame document its Referer names. At most kMaxRows
// rows and HeaderBounds' bytes of headers per page: past them the log counts what it
// leaves out and says so.
class RequestLog : public RequestEvents {
  public:
    static constexpr std::size_t kMaxRows = 50'000;

    explicit RequestLog(std::size_t maxRows = kMaxRows,
                        std::size_t maxHeaderBytes = HeaderBounds::kMaxPageBytes);

    void PageBegan() override;
    void Sent(const RequestSent& sent) override;
    void Redirected(const RequestRedirected& redirected) override;
    void Answered(const RequestAnswered& answered) override;
    void Ended(const RequestEnded& ended) override;

    const std::vector<RequestRow>& Rows() const { return rows_; }
    // The page's site, the registrable domain of its document's last address.
    const std::string& PageSite() const { return pageSite_; }
    bool ThirdParty(const RequestRow& row) const;
    // The requests the log left out, past its rows; and whether the headers were spent.
    std::size_t LeftOut() const { return leftOut_; }
    bool HeadersSpent() const { return bounds_.Spent(); }
    // What the count adds when the log is full, "" while it is not.
    std::string BoundsText() const;
    // Counts the changes of the rows: a reader that saw the same count saw the same rows.
    std::uint64_t Changes() const { return changes_; }

  private:
    RequestRow* RowOf(RequestId id);
    std::size_t AddRow(const RequestSent& sent);
    std::optional<std::size_t> FrameNamedBy(const HttpHeaders& headers) const;

    std::size_t maxRows_;
    std::size_t maxHeaderBytes_;
    RegistrableDomains domains_;
    HeaderBounds bounds_;
    std::vector<RequestRow> rows_;
    std::unordered_map<RequestId, std::size_t> current_;  // the row of each request's step
    std::string pageSite_;
    std::size_t leftOut_ = 0;
    std::uint64_t changes_ = 0;
};

// The value of the first header line of that name, letters folded; "" when none.
std::string HeaderValue(const HttpHeaders& headers, std::string_view name);

}  // namespace quorvane
