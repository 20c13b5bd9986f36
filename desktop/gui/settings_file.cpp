#include "desktop/gui/settings_file.h"

#include <system_error>

namespace quorvane {

std::unique_ptr<wxFileConfig> OpenSettingsFile(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString,
                                          wxString::FromUTF8(file.string()), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace quorvane
