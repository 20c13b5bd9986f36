#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

// The four analysis lists, as pairs k = 0 and 1: Links[k][i] is an image's absolute
// address and frmList[k][i] its file name. Pair 1 holds the images of image tags,
// pair 0 the image files named by links.
struct AnalysisLists {
    std::vector<std::string> Links[2];
    std::vector<std::string> frmList[2];

    // Clears Links(0), frmList(0), Links(1), frmList(1), in that order.
    void Clear();
    // The bytes of all addresses and file names the lists hold.
    std::size_t Bytes() const;
};

}  // namespace quorvane
