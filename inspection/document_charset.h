#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A byte-order mark at the start of bytes: the encoding it names ("UTF-8", "UTF-16LE",
// "UTF-16BE") and its length.
struct ByteOrderMark {
    std::string encoding;
    std::size_t length = 0;
};
std::optional<ByteOrderMark> ByteOrderMarkOf(std::string_view bytes);

// The character set a document declares in its first 1024 bytes, as browsers look for it
// before they read the page: <meta charset="..."> or <meta http-equiv="Content-Type"
// content="...; charset=...">, outside comments. nullopt when it declares none.
std::optional<std::string> DeclaredCharset(std::string_view bytes);

// The charset parameter of a Content-Type value ("text/html; charset=utf-8"), unquoted;
// nullopt without one.
std::optional<std::string> CharsetParameter(std::string_view contentType);

// The encoding iconv knows a charset label as, by the rules browsers read labels by:
// "iso-8859-1", "latin1" and "us-ascii" are windows-1252, "utf8" is UTF-8. Another label
// is handed on as written, upper-cased.
std::string EncodingForLabel(std::string_view label);

}  // namespace quorvane
