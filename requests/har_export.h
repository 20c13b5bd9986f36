#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "requests/har_bodies.h"
#include "requests/request_log.h"

namespace quorvane {

// What a HAR file holds besides the requests.
struct HarHeading {
    std::string creatorVersion{};  // the program's version, "3.1.0"
    std::string pageAddress{};
    std::string pageTitle{};
    // Cookies, Set-Cookie and the Authorization headers' values are left out unless the
    // user asks for them, as the file is often handed to others.
    bool includeCredentials = false;
    // The text bodies, when asked for: response.content.text, or content.comment for one
    // left out. None are written without.
    const HarBodies* bodies = nullptr;
};

// The page's requests as an HTTP Archive (HAR 1.2) in JSON: log.creator names Quorvane,
// one page, and one entry per row in the order made, with its request, its response (a
// redirect's with its redirectURL), headers in the order received, timings and content
// size and MIME type. What the engine does not tell (HTTP version, header sizes, DNS and
// connection times) is written as the format says for unknown: "" or -1. Quorvane's own
// fields begin with "_": _kind, _frame (the entry of the frame that asked), _thirdParty,
// _failure, _headersCut. A byte that is no UTF-8 becomes U+FFFD.
// The file is handed to write in pieces of some hundred kilobytes as it is made, each
// entry as soon as it is written, so that 50 000 entries are never held whole.
using HarPieces = std::function<void(std::string_view piece)>;
void WriteRequestsHar(const HarHeading& heading, const RequestLog& log, const HarPieces& write);

// The same file whole, for a page of few requests.
std::string RequestsHar(const HarHeading& heading, const RequestLog& log);

// The time in HAR's form, "2026-12-11T14:40:00.125Z", of seconds since the Unix epoch.
std::string HarTime(double seconds);

}  // namespace quorvane
