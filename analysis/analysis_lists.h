#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

// What one scanner found: addresses[i] is an image's absolute address and fileNames[i]
// its file name.
struct FoundImages {
    std::vector<std::string> addresses;
    std::vector<std::string> fileNames;
};

// The four analysis lists: the images of image tags, and the image files named by links.
struct AnalysisLists {
    FoundImages imageLinks;
    FoundImages imageTags;

    // Clears the image links' addresses and names, then the image tags'.
    void Clear();
    // The bytes of all addresses and file names the lists hold.
    std::size_t Bytes() const;
};

}  // namespace quorvane
