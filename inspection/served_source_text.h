#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "inspection/served_source_limits.h"

namespace quorvane {

// The text the "Original Source" view shows for the bytes a page was served as.
struct ServedSourceText {
    // UTF-8 to show. A byte that is not a character of the encoding stays as it is, so
    // the view shows it for what it is instead of dropping it.
    std::string text;
    std::string encoding;  // what the bytes were read as ("UTF-8", "windows-1252"); "" for no text
    bool isText = false;
    bool cut = false;  // only the first limit bytes are shown, and a line says so
};

// Reads bytes of type mimeType ("text/html"; "" when unknown) as text, in the encoding a
// browser reads them in: a byte-order mark's, else responseCharset's (the response's
// charset parameter) when it names an encoding, else the one the first 1024 bytes
// declare, else UTF-8. A resource that is not text (a picture, an archive) is one line:
// its type and size. Past limit bytes, the first limit and a line saying so.
ServedSourceText DecodeServedSource(std::string_view bytes, std::string_view mimeType,
                                    std::string_view responseCharset,
                                    std::size_t limit = kMaxServedSourceBytes);

// Whether a resource of mimeType is shown as text; bytes decide when the type is unknown.
bool IsTextResource(std::string_view mimeType, std::string_view bytes);

}  // namespace quorvane
