#include "tests/e2e/test_bitmap.h"

namespace quorvane::test {

std::string Bitmap(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = rowBytes * height;
    std::string bmp = "BM";
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(54 + pixels, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixels, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    bmp += std::string(pixels, '\x80');
    return bmp;
}

}  // namespace quorvane::test
