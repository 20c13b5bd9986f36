#pragma once

#include <string>
#include <string_view>

#include "inspection/encoding_labels.h"

namespace quorvane {

// bytes in encoding as UTF-8, decoded as browsers decode them. Unlike a browser, a byte
// that is no character of the encoding stays as it is (so a reader sees its value) rather
// than becoming U+FFFD. When cutAtEnd, the bytes were cut from a longer text and a
// character the cut split is left out.
std::string DecodeToUtf8(std::string_view bytes, const WebEncoding& encoding, bool cutAtEnd);

}  // namespace quorvane
