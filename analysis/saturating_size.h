#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvane {

// Sizes worked out before anything is built, for texts that may grow without limit:
// they stop at SIZE_MAX instead of wrapping round, so a size past a limit stays past it.
constexpr std::size_t SaturatingAdd(std::size_t a, std::size_t b) {
    return a > SIZE_MAX - b ? SIZE_MAX : a + b;
}

constexpr std::size_t SaturatingMultiply(std::size_t a, std::size_t b) {
    return b != 0 && a > SIZE_MAX / b ? SIZE_MAX : a * b;
}

}  // namespace quorvane
