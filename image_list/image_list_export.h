#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image_list/image_list.h"

namespace quorvane {

// What an export of the Image List holds besides its rows.
struct ImageListHeading {
    std::string pageAddress;
    std::string time;  // when the list was gathered, "2026-12-08T21:40:00Z"
    bool stopped = false;
    double screenScale = 1.0;  // device pixels per CSS pixel, that oversized is judged at
};

// The time now in the heading's form, in UTC.
std::string ExportTimeNow();

// The rows as CSV (RFC 4180, CRLF line ends): a header line, then one line per row with
// the page's address and the time first, the findings last ("same bytes as another" is
// the duplicate finding; the bytes saved are the estimate of an oversized picture). A cell that
// begins as a spreadsheet formula
// ("=", "+", "-", "@") gets a "'" before it, so that a page's text never runs as one.
std::string ImageListCsv(const ImageListHeading& heading, const std::vector<ImageRow>& rows);

// The rows as one JSON object: {"page":…,"time":…,"stopped":…,"images":[{…},…]}; a
// byte that is no UTF-8 becomes U+FFFD.
std::string ImageListJson(const ImageListHeading& heading, const std::vector<ImageRow>& rows);

// Whether a file of that name is meant to hold JSON (its extension is ".json").
bool IsJsonFileName(std::string_view fileName);

}  // namespace quorvane
