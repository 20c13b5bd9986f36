#pragma once

#include <filesystem>

#include "source_changes/source_mode.h"

namespace quorvane {

// The mode the "Original Source" view last showed, remembered across runs in the user's
// settings file (group "Source", key "shownAs"). A store that cannot be read, or a value
// that names no mode, gives "As served".
class SourceModeSettings {
  public:
    explicit SourceModeSettings(std::filesystem::path file) : file_(std::move(file)) {}
    SourceMode Read() const;
    bool Write(SourceMode mode) const;

  private:
    std::filesystem::path file_;
};

}  // namespace quorvane
