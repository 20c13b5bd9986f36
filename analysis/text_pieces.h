#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace quorvane {

// A large text handed on in pieces, in order, so that it is never held whole: a writer
// takes each piece, and a producer hands every piece of its text to the writer it is
// given.
using PieceWriter = std::function<void(std::string_view piece)>;
using TextProducer = std::function<void(const PieceWriter& write)>;

// About how large a piece is: small enough to stay in the cache on its way to the file.
inline constexpr std::size_t kTextPieceSize = 16 * 1024;

}  // namespace quorvane
