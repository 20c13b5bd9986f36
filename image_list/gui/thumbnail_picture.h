#pragma once

#include <wx/image.h>

#include <cstdint>
#include <string>

namespace quorvane {

// Larger files are not drawn: decoding them would hold the window.
inline constexpr std::uintmax_t kMaxThumbnailFileBytes = 16 * 1024 * 1024;
// Nor are pictures of more pixels, whatever their files' size: a small file may declare
// a picture of gigabytes.
inline constexpr std::uint64_t kMaxThumbnailPixels = 40'000'000;

// The picture in file, of the given type, scaled to fit a square of side and centred in
// it; an invalid image for a file that is no picture read here or is too large to draw.
// wxImage reads the usual types, GdkPixbuf's loaders the others (SVG and WebP among them).
// Any thread may make the picture: it shares nothing with the window's, which turns it
// into a bitmap.
wxImage ThumbnailImageOfFile(const std::string& file, const std::string& type, int side);

}  // namespace quorvane
