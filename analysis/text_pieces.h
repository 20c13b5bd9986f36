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

// About how large a piece is: little beside a large page, and large enough that writing
// one costs few calls of the system (each is dear in a virtual machine).
inline constexpr std::size_t kTextPieceSize = 256 * 1024;

}  // namespace quorvane
