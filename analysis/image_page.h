#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

// The Images view's page holds at most this many bytes. An image takes its address
// three times and some 50 bytes of markup, so a page with ten thousand images of
// 200-character addresses needs about 6.5 MB. Only a huge page address times many
// images comes near it (a 100 KB address with 1000 relative images would need 300 MB),
// and the engine would need a gigabyte or more to show that page.
inline constexpr std::size_t kMaxImagePageSize = 64 * 1024 * 1024;

// The address that the Images view's picture and link of the image address raw load:
// raw itself when it stands as written, else raw with "http://" put in front.
std::string ImagePageAddress(const std::string& raw);

// The Images view's page for the image addresses links: per image, a picture linked to
// itself with its address under it, as a bare fragment on one line. The images that
// would take the page past maxSize bytes are left out, from the first of them on.
struct ImagePage {
    std::string text;
    std::size_t imagesShown = 0;
};
ImagePage ImagePageText(const std::vector<std::string>& links,
                        std::size_t maxSize = kMaxImagePageSize);

}  // namespace quorvane
