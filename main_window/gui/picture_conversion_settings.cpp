#include "main_window/gui/picture_conversion_settings.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <algorithm>
#include <memory>
#include <string>

namespace quorvane {
namespace {

constexpr char kConvertToKey[] = "/Images/convertTo";
constexpr char kJpegQualityKey[] = "/Images/jpegQuality";

std::unique_ptr<wxFileConfig> OpenStore(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString,
                                          wxString::FromUTF8(file.string()), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

}  // namespace

PictureConversion PictureConversionSettings::Read() const {
    // A damaged settings file must not put a message on screen: the defaults hold.
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    PictureConversion conversion;
    const std::string name = store->Read(kConvertToKey, wxString()).utf8_string();
    conversion.format = FormatOfSettingName(name).value_or(conversion.format);
    const long quality = store->ReadLong(kJpegQualityKey, conversion.jpegQuality);
    conversion.jpegQuality = static_cast<int>(std::clamp<long>(
        quality, PictureConversion::kLeastJpegQuality, PictureConversion::kBestJpegQuality));
    return conversion;
}

bool PictureConversionSettings::Write(const PictureConversion& conversion) const {
    wxLogNull quiet;
    const auto store = OpenStore(file_);
    const std::string name(FormatSettingName(conversion.format));
    return store->Write(kConvertToKey, wxString::FromUTF8(name)) &&
           store->Write(kJpegQualityKey, static_cast<long>(conversion.jpegQuality)) &&
           store->Flush();
}

}  // namespace quorvane
