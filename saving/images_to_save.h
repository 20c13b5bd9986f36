#pragma once

#include <string>
#include <vector>

namespace quorvane {

// One picture of the Images view, as "Save Images…" saves it.
struct ImageToSave {
    std::string address;   // what the Images view's picture loads
    std::string fileName;  // the name to save it under, before numbering
};

// The images of the image addresses links (the Images view's list), in their order.
// The address is the one the Images view's picture loads (ImageShownAddress). The name is the last
// segment of the address without query and fragment, percent-decoded and made safe for
// a folder of the user's; a data: image is "image" with the extension of its type.
std::vector<ImageToSave> ImagesToSave(const std::vector<std::string>& links);

}  // namespace quorvane
