#include "requests/request_log.h"

#include "base/ascii.h"
#include "desktop/translation.h"
#include "inspection/row_text_match.h"

namespace quorvane {
namespace {

// The scheme, host and port of an address: what a Referer says of a page of another
// origin, which the browser tells nothing more.
std::string OriginOf(const std::string& address) {
    const std::size_t scheme = address.find("://");
    if (scheme == std::string::npos) {
        return address;
    }
    const std::size_t path = address.find('/', scheme + 3);
    return path == std::string::npos ? address + "/" : address.substr(0, path + 1);
}

// A request for a document asks for HTML first, whichever kind of view it goes to.
bool AsksForDocument(const HttpHeaders& headers) {
    return HeaderValue(headers, "Accept").starts_with("text/html");
}

// Of a request that did not say what it asked for, the answer tells a document.
bool AnswersWithDocument(const RequestRow& row, const std::string& mimeType) {
    return HeaderValue(row.requestHeaders, "Accept").empty() &&
           (mimeType == "text/html" || mimeType == "application/xhtml+xml");
}

}  // namespace

std::string HeaderValue(const HttpHeaders& headers, std::string_view name) {
    for (const HttpHeader& line : headers) {
        if (EqualsNoCase(line.name, name)) {
            return line.value;
        }
    }
    return {};
}

RequestLog::RequestLog(std::size_t maxRows, std::size_t maxHeaderBytes)
    : maxRows_(maxRows), maxHeaderBytes_(maxHeaderBytes), bounds_(maxHeaderBytes) {}

void RequestLog::PageBegan() {
    rows_.clear();
    current_.clear();
    pageSite_.clear();
    leftOut_ = 0;
    bounds_ = HeaderBounds(maxHeaderBytes_);
    ++changes_;
}

bool RequestLog::ThirdParty(const RequestRow& row) const {
    return !row.site.empty() && !pageSite_.empty() && row.site != pageSite_;
}

std::string RequestLog::BoundsText() const {
    std::string text;
    if (leftOut_ > 0) {
        text = Translated("; {1} more left out (the list holds {2})",
                          {GroupedNumber(leftOut_), GroupedNumber(maxRows_)});
    }
    if (bounds_.Spent()) {
        text +=
            Translated("; headers past {1} MB left out", {std::to_string(maxHeaderBytes_ >> 20)});
    }
    return text;
}

RequestRow* RequestLog::RowOf(RequestId id) {
    const auto found = current_.find(id);
    return found == current_.end() ? nullptr : &rows_[found->second];
}

std::optional<std::size_t> RequestLog::FrameNamedBy(const HttpHeaders& headers) const {
    const std::string referer = HeaderValue(headers, "Referer");
    if (referer.empty()) {
        return std::nullopt;
    }
    std::optional<std::size_t> byOrigin;
    for (std::size_t place = rows_.size(); place-- > 0;) {
        const RequestRow& row = rows_[place];
        if (!row.document || row.stage == RequestRow::Stage::Redirected) {
            continue;
        }
        const std::optional<std::size_t> frame =
            row.mainDocument ? std::nullopt : std::optional<std::size_t>(place);
        if (row.address == referer) {
            return frame;
        }
        if (!byOrigin && OriginOf(row.address) == referer) {
            byOrigin = place;
        }
    }
    return byOrigin && !rows_[*byOrigin].mainDocument ? byOrigin : std::nullopt;
}

std::size_t RequestLog::AddRow(const RequestSent& sent) {
    RequestRow row{.id = sent.id,
                   .method = sent.method,
                   .address = sent.address,
                   .startSeconds = sent.atSeconds,
                   .requestHeaders = sent.headers,
                   .mainDocument = sent.mainDocument,
                   .document = sent.mainDocument || AsksForDocument(sent.headers),
                   .site = domains_.SiteOf(sent.address)};
    row.frame = FrameNamedBy(sent.headers);
    row.headersCut = bounds_.Keep(row.requestHeaders);
    if (row.mainDocument) {
        pageSite_ = row.site;
    }
    rows_.push_back(std::move(row));
    current_[sent.id] = rows_.size() - 1;
    ++changes_;
    return rows_.size() - 1;
}

void RequestLog::Sent(const RequestSent& sent) {
    if (current_.contains(sent.id)) {
        return;
    }
    if (rows_.size() >= maxRows_) {
        ++leftOut_;
        ++changes_;
        return;
    }
    AddRow(sent);
}

void RequestLog::Redirected(const RequestRedirected& redirected) {
    const auto found = current_.find(redirected.id);
    if (found == current_.end()) {
        return;
    }
    const std::size_t from = found->second;
    RequestRow& row = rows_[from];
    row.stage = RequestRow::Stage::Redirected;
    row.status = redirected.status;
    row.statusText = redirected.statusText;
    row.responseHeaders = redirected.responseHeaders;
    row.headersCut = bounds_.Keep(row.responseHeaders) || row.headersCut;
    row.firstByteSeconds = row.endSeconds = redirected.next.atSeconds;
    current_.erase(found);
    if (rows_.size() >= maxRows_) {
        ++leftOut_;
        ++changes_;
        return;
    }
    RequestSent next = redirected.next;
    next.mainDocument = rows_[from].mainDocument;
    const std::size_t to = AddRow(next);
    rows_[to].document = rows_[from].document;
    rows_[to].frame = rows_[from].frame;
    rows_[to].redirectedFrom = from;
    rows_[from].redirectedTo = to;
}

void RequestLog::Answered(const RequestAnswered& answered) {
    RequestRow* row = RowOf(answered.id);
    if (row == nullptr) {
        return;
    }
    row->stage = RequestRow::Stage::Answered;
    row->document = row->document || AnswersWithDocument(*row, answered.mimeType);
    row->status = answered.status;
    row->statusText = answered.statusText;
    row->mimeType = answered.mimeType;
    row->wireBytes = answered.contentLength;
    row->firstByteSeconds = answered.atSeconds;
    row->responseHeaders = answered.headers;
    row->headersCut = bounds_.Keep(row->responseHeaders) || row->headersCut;
    ++changes_;
}

void RequestLog::Ended(const RequestEnded& ended) {
    RequestRow* row = RowOf(ended.id);
    if (row == nullptr) {
        return;
    }
    const bool failed = ended.outcome == RequestEnded::Outcome::Failed;
    row->stage = failed ? RequestRow::Stage::Failed : RequestRow::Stage::Finished;
    row->failure = ended.failure;
    row->decodedBytes = ended.receivedBytes;
    row->endSeconds = ended.atSeconds;
    current_.erase(ended.id);
    ++changes_;
}

}  // namespace quorvane
