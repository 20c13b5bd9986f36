#include "source_changes/gui/source_mode_settings.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <memory>
#include <string>

namespace quorvane {
namespace {

constexpr char kShownAsKey[] = "/Source/shownAs";

std::unique_ptr<wxFileConfig> OpenStore(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString,
                                          wxString::FromUTF8(file.string()), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace

SourceMode SourceModeSettings::Read() const {
    // A damaged settings file must not put a message on screen: the default holds.
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    const std::string name = store->Read(kShownAsKey, wxString()).utf8_string();
    return SourceModeNamed(name).value_or(SourceMode::AsServed);
}

bool SourceModeSettings::Write(SourceMode mode) const {
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    const std::string name(SourceModeName(mode));
    return store->Write(kShownAsKey, wxString::FromUTF8(name)) && store->Flush();
}

}  // namespace quorvane
