#pragma once

#include <string>
#include <vector>

#include "requests/request_log.h"

namespace quorvane::testing {

// Plays a page's requests to a log as the engine would tell them, a second apart.
class PageRequests {
  public:
    explicit PageRequests(RequestLog& log) : log_(log) { log_.PageBegan(); }

    void Send(RequestId id, const std::string& address, HttpHeaders headers = {},
              bool mainDocument = false) {
        log_.Sent({.id = id,
                   .method = "GET",
                   .address = address,
                   .headers = std::move(headers),
                   .mainDocument = mainDocument,
                   .atSeconds = Tick()});
    }
    void Redirect(RequestId id, int status, const std::string& to) {
        log_.Redirected({.id = id,
                         .status = status,
                         .statusText = status == 301 ? "Moved Permanently" : "Found",
                         .responseHeaders = {{"Location", to}},
                         .next = {.id = id, .method = "GET", .address = to, .atSeconds = Tick()}});
    }
    void Answer(RequestId id, int status, const std::string& mimeType, HttpHeaders headers = {}) {
        log_.Answered({.id = id,
                       .status = status,
                       .statusText = status == 200 ? "OK" : "Not Found",
                       .mimeType = mimeType,
                       .contentLength = 100 * id,
                       .headers = std::move(headers),
                       .atSeconds = Tick()});
    }
    void Finish(RequestId id) {
        log_.Ended({.id = id, .receivedBytes = 10 * id, .atSeconds = Tick()});
    }
    void Fail(RequestId id, const std::string& why) {
        log_.Ended({.id = id,
                    .outcome = RequestEnded::Outcome::Failed,
                    .failure = why,
                    .atSeconds = Tick()});
    }
    // One whole request: sent, answered and finished.
    void Load(RequestId id, const std::string& address, int status, const std::string& type,
              HttpHeaders headers = {}) {
        Send(id, address, std::move(headers));
        Answer(id, status, type);
        Finish(id);
    }

  private:
    double Tick() { return seconds_ += 1; }

    RequestLog& log_;
    double seconds_ = 1'765'000'000;
};

}  // namespace quorvane::testing
