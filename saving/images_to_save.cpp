#include "saving/images_to_save.h"

#include "analysis/image_page.h"
#include "base/ascii.h"
#include "saving/data_url.h"
#include "saving/image_extension.h"
#include "saving/saved_file_name.h"

namespace quorvane {
namespace {

constexpr const char* kFallbackName = "image";

}  // namespace

// A data: picture has no name of its own: it is named by its place in the list, so
// that thousands of them need no numbering.
std::string SavedImageName(std::string_view address, std::size_t position) {
    if (IsDataUrl(address)) {
        return std::string(kFallbackName) + "-" + std::to_string(position) +
               ImageTypeExtension(DataUrlMediaType(address));
    }
    address = address.substr(0, address.find_first_of("?#"));
    const std::size_t slash = address.rfind('/');
    const std::string_view segment =
        slash == std::string_view::npos ? address : address.substr(slash + 1);
    return SafeFileName(PercentDecoded(segment), kFallbackName);
}

std::vector<ImageToSave> ImagesToSave(const std::vector<std::string>& links) {
    std::vector<ImageToSave> images;
    images.reserve(links.size());
    for (const std::string& raw : links) {
        const std::string address = ImageShownAddress(raw);
        images.push_back({address, SavedImageName(address, images.size() + 1)});
    }
    return images;
}

}  // namespace quorvane
