#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// The bytes an image's type is known by: enough for every signature SniffedImageType reads.
inline constexpr std::size_t kImageSignatureBytes = 512;

// The type of the image whose file begins with head, by its signature ("image/png"); ""
// for bytes that are no image known here. A server's Content-Type may say anything; the
// bytes say what the engine will draw.
std::string SniffedImageType(std::string_view head);

// The type of the picture in file, read from its first bytes; "" as above, and for a file
// that cannot be read.
std::string SniffedImageFileType(const std::filesystem::path& file);

}  // namespace quorvane
