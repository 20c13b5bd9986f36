#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/request_events.h"

namespace quorvane {

// One row of the Resources tab: one request of the page, or one step of a redirect chain.
struct RequestRow {
    // Where the request stands, as the row says it.
    enum class Stage {
        Sent,        // no answer yet
        Answered,    // the answer is coming
        Redirected,  // the answer sent it on to the row redirectedTo
        Finished,
        Failed,  // failure says why
    };

    RequestId id = 0;
    Stage stage = Stage::Sent;
    std::string method{};
    std::string address{};
    int status = 0;  // 0 until answered, and for a request that failed before
    std::string statusText{};
    std::string mimeType{};                       // as the response says
    std::optional<std::uint64_t> wireBytes{};     // the response's length, when it said it
    std::optional<std::uint64_t> decodedBytes{};  // as the engine handed them on, once ended
    double startSeconds = 0;                      // since the Unix epoch
    std::optional<double> firstByteSeconds{};     // the answer's time
    std::optional<double> endSeconds{};
    std::string failure{};
    HttpHeaders requestHeaders{};
    HttpHeaders responseHeaders{};
    bool headersCut = false;  // a header line was cut, or the page's headers were spent
    bool mainDocument = false;
    bool document = false;  // a document (the page's, a frame's), as the request asked
    std::string site{};     // the registrable domain of its host
    std::optional<std::size_t> redirectedFrom{};  // the row of the step before
    std::optional<std::size_t> redirectedTo{};
    // The row of the frame's document that asked for it; none for the page's own.
    std::optional<std::size_t> frame{};
};

}  // namespace quorvane
