#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "inspection/encoding_labels.h"

namespace quorvane {

// A byte-order mark at the start of bytes: the encoding it names (UTF-8, UTF-16LE,
// UTF-16BE) and its length.
struct ByteOrderMark {
    WebEncoding encoding;
    std::size_t length = 0;
};
std::optional<ByteOrderMark> ByteOrderMarkOf(std::string_view bytes);

// The encoding a document is read in, as browsers choose it, and how many leading bytes
// are a byte-order mark that is no part of the text.
struct DocumentEncoding {
    WebEncoding encoding;
    std::size_t markLength = 0;
};

// Browsers' order: a byte-order mark, else responseCharset (the response's charset
// parameter) when it names an encoding, else the one the first 1024 bytes declare, else
// UTF-8.
DocumentEncoding ChooseDocumentEncoding(std::string_view bytes, std::string_view responseCharset);

}  // namespace quorvane
