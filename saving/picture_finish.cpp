#include "saving/picture_finish.h"

#include <optional>
#include <system_error>
#include <utility>
#include <variant>

#include "base/file_bytes_write.h"
#include "desktop/translation.h"
#include "saving/content_digest.h"
#include "saving/image_extension.h"
#include "saving/image_type.h"

namespace quorvane {
namespace {

using Outcome = FinishedPicture::Outcome;

FinishedPicture Converted(const std::filesystem::path& file, std::string_view name,
                          const PictureConversion& conversion, const ConvertedPicture& converted) {
    try {
        WriteFileBytes(file, converted.bytes);
    } catch (const std::system_error& error) {
        return {Outcome::Failed, std::string(name), error.code().message()};
    }
    return {Outcome::Converted, NameForImageBytes(name, ConvertedType(conversion.format))};
}

}  // namespace

FinishedPicture FinishPicture(const std::filesystem::path& file, std::string_view name,
                              const PictureConversion& conversion, std::set<std::string>& digests,
                              std::stop_token stop) {
    const std::optional<std::string> digest = FileDigest(file);
    if (!digest) {
        return {Outcome::Failed, std::string(name), Translatable("the fetched file cannot be read")};
    }
    if (!digests.insert(*digest).second) {
        return {Outcome::Duplicate, std::string(name)};
    }
    const std::string type = SniffedImageFileType(file);
    std::string named = NameForImageBytes(name, type);
    if (!ConversionChanges(type, conversion.format)) {
        return {Outcome::Kept, std::move(named)};
    }
    const PictureConversionResult result = ConvertPictureFile(file, conversion, std::move(stop));
    if (const auto* converted = std::get_if<ConvertedPicture>(&result)) {
        return Converted(file, name, conversion, *converted);
    }
    return {Outcome::NotConverted, std::move(named),
            std::string(std::get<PictureNotConverted>(result).reason)};
}

}  // namespace quorvane
