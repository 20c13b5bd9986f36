#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One picture of the Images view, as "Save Images…" saves it.
struct ImageToSave {
    std::string address;   // what the Images view's picture loads
    std::string fileName;  // the name to save it under, before numbering
    bool cut = false;      // only part of the address is known: it cannot be saved
};

// The name an image is saved under, before numbering: the last segment of address
// without query and fragment, percent-decoded and made safe for a folder of the user's;
// a data: image is "image-<position>" with the extension of its type.
std::string SavedImageName(std::string_view address, std::size_t position);

// The images of the image addresses links (the Images view's list), in their order.
// The address is the one the Images view's picture loads (ImageShownAddress), the name
// its SavedImageName by its place in the list, from 1.
std::vector<ImageToSave> ImagesToSave(const std::vector<std::string>& links);

}  // namespace quorvane
