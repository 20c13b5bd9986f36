#include "source_changes/gui/source_mode_settings.h"

#include <wx/log.h>

#include <string>

#include "desktop/gui/settings_file.h"

namespace quorvane {
namespace {

constexpr char kShownAsKey[] = "/Source/shownAs";

}  // namespace

SourceMode SourceModeSettings::Read() const {
    // A damaged settings file must not put a message on screen: the default holds.
    wxLogNull quiet;
    const auto store = OpenSettingsFile(file_);
    const std::string name = store->Read(kShownAsKey, wxString()).utf8_string();
    return SourceModeNamed(name).value_or(SourceMode::AsServed);
}

bool SourceModeSettings::Write(SourceMode mode) const {
    wxLogNull quiet;
    const auto store = OpenSettingsFile(file_);
    const std::string name(SourceModeName(mode));
    return store->Write(kShownAsKey, wxString::FromUTF8(name)) && store->Flush();
}

}  // namespace quorvane
