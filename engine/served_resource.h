#pragma once

#include <string>

namespace quorvane {

// What the browser engine received for a page's document: its bytes as they came (no
// script has changed them), what they were said to be, and where they came from.
struct ServedResource {
    std::string address;
    std::string bytes;
    std::string mimeType;  // "text/html"; "" when the response named none
    std::string charset;   // the response's charset parameter; "" when it named none
};

}  // namespace quorvane
