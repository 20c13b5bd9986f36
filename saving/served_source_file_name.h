#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The name "Save Source…" suggests for the page at address: the last segment of its
// path, percent-decoded, without query or fragment; "index.html" for a folder's address;
// ".html" added to an HTML page's name that has no extension. The caller makes it safe
// for the user's folder, as for every name that comes from the web.
std::string ServedSourceFileName(std::string_view address, std::string_view mimeType);

}  // namespace quorvane
