#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::test {

// A small picture of each kind the engine draws, as a server would serve it.
struct TestPicture {
    std::string name;  // "picture.png"
    std::string type;  // "image/png"
    std::uint32_t width;
    std::uint32_t height;
    std::string bytes;
};

// A PNG, a GIF, a JPEG and a WebP picture, each of its own size.
const std::vector<TestPicture>& TestPictures();

}  // namespace quorvane::test
