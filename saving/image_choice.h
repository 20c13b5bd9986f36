#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "saving/images_to_save.h"

namespace quorvane {

// An image of the Image List that the user asked to save.
struct ImageCandidate {
    std::string address;
    std::uint32_t naturalWidth = 0;
    std::uint32_t naturalHeight = 0;
    std::string descriptor{};           // its srcset descriptor, "2x" or "640w"
    std::vector<std::string> groups{};  // the srcsets it is a candidate of
    bool cut = false;                   // the address is not whole
};

// The images to save of candidates, in their order, each address once. Of a srcset's
// candidates only the best is kept, unless keepAllCandidates: the largest natural size,
// else (sizes not known) the largest descriptor, the first of equals. An image kept by
// any of its srcsets is kept. Each is named as "Save Images…" names it: a data: image by
// its place among those kept and its type. A cut address is kept, to fail when saved.
std::vector<ImageToSave> ChooseImagesToSave(const std::vector<ImageCandidate>& candidates,
                                            bool keepAllCandidates);

}  // namespace quorvane
