#include "inspection/gui/served_source_settings.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <memory>
#include <utility>

namespace quorvane {
namespace {

constexpr char kColouredKey[] = "/Source/coloured";
constexpr char kWrappedKey[] = "/Source/wrapped";

std::unique_ptr<wxFileConfig> OpenStore(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString,
                                          wxString::FromUTF8(file.string()), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace

ServedSourceSettings::ServedSourceSettings(std::filesystem::path file) : file_(std::move(file)) {}

ServedSourceLook ServedSourceSettings::Read() const {
    // A damaged settings file must not put a message on screen: the defaults hold.
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    ServedSourceLook look;
    look.coloured = store->ReadBool(kColouredKey, look.coloured);
    look.wrapped = store->ReadBool(kWrappedKey, look.wrapped);
    return look;
}

bool ServedSourceSettings::Write(const ServedSourceLook& look) const {
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    return store->Write(kColouredKey, look.coloured) && store->Write(kWrappedKey, look.wrapped) &&
           store->Flush();
}

}  // namespace quorvane
