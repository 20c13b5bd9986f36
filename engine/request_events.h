#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One header line as the engine gave it, in the order received.
struct HttpHeader {
    std::string name{};
    std::string value{};
};
using HttpHeaders = std::vector<HttpHeader>;

// The engine's number for one request of a page: the same through its redirects.
using RequestId = std::uint64_t;

// A request the page makes, as the engine is about to send it.
struct RequestSent {
    RequestId id = 0;
    std::string method{};  // "GET"
    std::string address{};
    HttpHeaders headers{};
    bool mainDocument = false;  // the view's own document, not a frame's or a file's
    double atSeconds = 0;       // since the Unix epoch
};

// The answer that sent a request elsewhere, and the request that follows it.
struct RequestRedirected {
    RequestId id = 0;
    int status = 0;  // 301, 302, 303, 307, 308
    std::string statusText{};
    HttpHeaders responseHeaders{};
    RequestSent next{};  // the same id, to the new address
};

// The first answer of a request that was not sent elsewhere.
struct RequestAnswered {
    RequestId id = 0;
    int status = 0;
    std::string statusText{};  // "Not Found": the engine's phrase for the status
    std::string mimeType{};    // as the response says; "" when it says none
    std::optional<std::uint64_t> contentLength{};  // from the response, when it gave one
    HttpHeaders headers{};
    double atSeconds = 0;
};

// How a request ended.
struct RequestEnded {
    enum class Outcome { Finished, Failed };
    RequestId id = 0;
    Outcome outcome = Outcome::Finished;
    // Why it failed: "cancelled", "blocked", or the engine's own words ("Could not resolve
    // host name", "Connection refused"); "" when it finished.
    std::string failure{};
    // Decoded, as the engine handed them on; nullopt when it never said (WebKit no longer
    // tells of the data it receives on every version).
    std::optional<std::uint64_t> receivedBytes{};
    double atSeconds = 0;
};

// What the Browser view's engine says of its page's requests as they go, from the engine's
// own signals: nothing is fetched again to tell it. A new page begins with PageBegan, and
// a request's events come in the order Sent, Redirected (any number), Answered, Ended,
// though a request may end without an answer. Events of an id not seen since PageBegan
// belong to the page before and are to be ignored.
class RequestEvents {
  public:
    virtual ~RequestEvents() = default;
    virtual void PageBegan() = 0;
    virtual void Sent(const RequestSent& sent) = 0;
    virtual void Redirected(const RequestRedirected& redirected) = 0;
    virtual void Answered(const RequestAnswered& answered) = 0;
    virtual void Ended(const RequestEnded& ended) = 0;
};

}  // namespace quorvane
