#pragma once

#include <optional>
#include <string_view>

#include "inspection/encoding_labels.h"

namespace quorvane {

// The encoding a document declares in its first 1024 bytes, found as browsers find it
// before they read the page (the HTML standard's prescan): the first <meta charset> or
// <meta http-equiv="content-type" content="...; charset=..."> whose label names an
// encoding, outside comments and other tags, read attribute by attribute as browsers read
// them. A page cannot be UTF-16 by its own ASCII bytes, so a UTF-16 label means UTF-8, and
// x-user-defined means windows-1252. nullopt when no meta there names an encoding.
std::optional<WebEncoding> PrescannedEncoding(std::string_view bytes);

// The encoding the charset of a meta element's content names ("text/html; charset=koi8-r"),
// by the HTML standard's reading of it; nullopt when there is none or it names none.
std::optional<WebEncoding> EncodingOfMetaContent(std::string_view content);

}  // namespace quorvane
