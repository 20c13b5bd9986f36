#include "inspection/gui/served_source_settings.h"

#include <wx/log.h>

#include <utility>

#include "desktop/gui/settings_file.h"

namespace quorvane {
namespace {

constexpr char kColouredKey[] = "/Source/coloured";
constexpr char kWrappedKey[] = "/Source/wrapped";
constexpr char kHeadersKey[] = "/Source/headers";

}  // namespace

ServedSourceSettings::ServedSourceSettings(std::filesystem::path file) : file_(std::move(file)) {}

ServedSourceLook ServedSourceSettings::Read() const {
    // A damaged settings file must not put a message on screen: the defaults hold.
    wxLogNull quiet;
    const auto store = OpenSettingsFile(file_);
    ServedSourceLook look;
    look.coloured = store->ReadBool(kColouredKey, look.coloured);
    look.wrapped = store->ReadBool(kWrappedKey, look.wrapped);
    look.headersShown = store->ReadBool(kHeadersKey, look.headersShown);
    return look;
}

bool ServedSourceSettings::Write(const ServedSourceLook& look) const {
    wxLogNull quiet;
    const auto store = OpenSettingsFile(file_);
    return store->Write(kColouredKey, look.coloured) && store->Write(kWrappedKey, look.wrapped) &&
           store->Write(kHeadersKey, look.headersShown) && store->Flush();
}

}  // namespace quorvane
