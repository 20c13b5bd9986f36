#pragma once

#include <filesystem>

#include "saving/picture_conversion.h"

namespace quorvane {

// The "Convert to" choice of the saving of pictures, as last chosen, remembered across runs
// in the user's settings file (group "Images", keys "convertTo": "keep", "png" or "jpeg",
// and "jpegQuality"). A store that cannot be read, or a value that names nothing, gives
// the default of each.
class PictureConversionSettings {
  public:
    explicit PictureConversionSettings(std::filesystem::path file) : file_(std::move(file)) {}
    PictureConversion Read() const;
    bool Write(const PictureConversion& conversion) const;

  private:
    std::filesystem::path file_;
};

}  // namespace quorvane
