#pragma once

#include <cstdint>
#include <string>

namespace quorvane::test {

// An uncompressed 24-bit BMP of width × height: its natural size is known exactly.
std::string Bitmap(std::uint32_t width, std::uint32_t height);

}  // namespace quorvane::test
