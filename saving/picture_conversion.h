#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <variant>

#include "desktop/translation.h"

namespace quorvane {

// "Convert to" of the saving of pictures: as they came, or as PNG or JPEG.
enum class PictureFormat { Keep, Png, Jpeg };

struct PictureConversion {
    static constexpr int kDefaultJpegQuality = 90;
    static constexpr int kLeastJpegQuality = 1;
    static constexpr int kBestJpegQuality = 100;

    PictureFormat format = PictureFormat::Keep;
    int jpegQuality = kDefaultJpegQuality;  // held to kLeastJpegQuality..kBestJpegQuality
    bool operator==(const PictureConversion&) const = default;
};

// A picture is decoded only when its width times its height is at most this. A page may
// declare a picture of any size in a few bytes (a PNG header, an SVG's width), and a
// decoded pixel takes four bytes: this bound holds a picture to 400 MB while it is
// converted, and passes every photograph a camera takes.
inline constexpr std::uint64_t kMaxConvertedPixels = 100'000'000;

// Why a picture was not converted, as the saving's message says it ("3 kept as is: bytes
// that do not decode").
inline constexpr std::string_view kPictureNotDecoded = Translatable("bytes that do not decode");
inline constexpr std::string_view kPictureTooLarge = Translatable("over 100 million pixels");
inline constexpr std::string_view kPictureNotEncoded = Translatable("the encoder failed");
inline constexpr std::string_view kPictureUnreadable = Translatable("the file cannot be read");

// The media type a format converts into ("image/png"); "" for Keep.
std::string_view ConvertedType(PictureFormat format);
// Its name in messages, "PNG"; "" for Keep.
std::string_view FormatName(PictureFormat format);
// Its name in the settings file, "keep", "png" or "jpeg", and the format a name stands for
// (none for a name of no format).
std::string_view FormatSettingName(PictureFormat format);
std::optional<PictureFormat> FormatOfSettingName(std::string_view name);
// Whether a picture whose bytes are of bytesType (SniffedImageType's) is converted: every
// one whose type is not already the format's, those of no type known here too, as the
// desktop's decoders may know it.
bool ConversionChanges(std::string_view bytesType, PictureFormat format);

struct ConvertedPicture {
    std::string bytes;  // the picture, encoded as asked
};
struct PictureNotConverted {
    std::string_view reason;  // one of the reasons above
};
using PictureConversionResult = std::variant<ConvertedPicture, PictureNotConverted>;

// Decodes the picture in file with the desktop's decoders (gdk-pixbuf and its loaders:
// WebP, AVIF, SVG and the rest), the first frame of an animation and an SVG at its natural
// size, and encodes it in conversion's format; a transparent picture goes onto white for a
// JPEG, which has no transparency. The file is read a piece at a time and nothing is
// written. A picture of more than kMaxConvertedPixels is refused as soon as its size is
// known, before its pixels take memory; once stop is asked the reading ends, not decoded.
// Needs no display; callable from any thread. conversion.format must not be Keep.
PictureConversionResult ConvertPictureFile(const std::filesystem::path& file,
                                           const PictureConversion& conversion,
                                           std::stop_token stop = {});

}  // namespace quorvane
