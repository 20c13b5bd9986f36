#pragma once

#include <cstddef>
#include <string>

#include "requests/request_log.h"

namespace quorvane {

// What the headers pane says of the row at place: its status line, the redirect chain
// that led to it and where it led on, then the response's and the request's header
// lines in the order received, and a note when some were cut.
//   200 OK  GET http://site.test/page
//   Redirected: 301 http://site.test/old → 302 http://site.test/moved → here
//
//   Response headers
//   X-Served-By: test
//   …
std::string RequestHeadersText(const RequestLog& log, std::size_t place);

// The same of the page's own document, the last of its chain; "" before there is one.
std::string MainDocumentHeadersText(const RequestLog& log);

}  // namespace quorvane
