#pragma once

#include <cstddef>
#include <string>

#include "requests/request_log.h"

namespace quorvane {

// The columns of the Resources tab, in the order it shows them.
enum class RequestColumn {
    Number,  // the order the page made them in
    Method,
    Address,
    Status,
    Type,
    Kind,
    WireBytes,
    DecodedBytes,
    Start,      // milliseconds after the page's first request
    FirstByte,  // milliseconds from the request to its answer
    Total,      // milliseconds from the request to its end
    Frame,
    Party,
};
inline constexpr std::size_t kRequestColumns = 13;

// The column's heading in the user's language: "#", "Method", "Address", "Status", ...
std::string RequestColumnName(RequestColumn column);

// What a request is, from how it was asked for and what came: "document", "frame",
// "script", "style sheet", "font", "image", "media", "other"; "" while unknown. The word
// stays English, as the HAR export writes it; the table shows RequestKindShown.
std::string RequestKind(const RequestRow& row);

// Whether the request's file is text the Original Source view shows (HTML, CSS,
// JavaScript, JSON, XML, plain text), by the type its response names; not while unknown.
bool ShowsAsText(const RequestRow& row);

// The request's kind in the user's language.
std::string RequestKindShown(const RequestRow& row);

// The text of one cell of the row at place, in the user's language: "404 Not Found",
// "failed: cancelled", "1 204", "third party", the frame's address.
std::string RequestCell(const RequestLog& log, std::size_t place, RequestColumn column);

// The rows at places as lines of tab-apart cells, a heading line first: what Copy puts
// on the clipboard.
std::string RequestRowsText(const RequestLog& log, const std::vector<std::size_t>& places);

}  // namespace quorvane
