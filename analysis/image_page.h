#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/text_pieces.h"
#include "base/limits.h"

namespace quorvane {

// The address that the Images view's picture and link of the image address raw load:
// raw itself when it stands as written, else raw with "http://" put in front.
std::string ImagePageAddress(const std::string& raw);

// The address the Images view's picture of raw loads, the one "Save Images…" fetches:
// ImagePageAddress with the character references read back that the captured markup
// left in it ("&amp;", "&quot;", "&lt;", "&gt;", "&nbsp;"), as the engine reads them when
// it loads the Images page.
std::string ImageShownAddress(const std::string& raw);

// The Images view's page for the image addresses links: per image, a picture linked to
// itself with its address under it, as a bare fragment on one line. The images that
// would take the page past maxSize bytes are left out, from the first of them on.
// Hands the page to write in pieces, and returns how many images it shows.
std::size_t WriteImagePage(const std::vector<std::string>& links, const PieceWriter& write,
                           std::size_t maxSize = kMaxImagePageSize);

// The same page whole.
struct ImagePage {
    std::string text;
    std::size_t imagesShown = 0;
};
ImagePage ImagePageText(const std::vector<std::string>& links,
                        std::size_t maxSize = kMaxImagePageSize);

}  // namespace quorvane
