#pragma once

#include <cstddef>
#include <string>

namespace quorvane::bench {

// A body of about size bytes holding images image tags ("pics/photo<n>.gif") and as many
// links to image files ("/full/picture<n>.jpg"), spread evenly over lines of ordinary
// text that end with lineBreak.
std::string GeneratedBody(std::size_t size, int images, const std::string& lineBreak = "\r\n");

// The bytes of a white GIF of one pixel, each of those pictures.
std::string OnePixelGif();

}  // namespace quorvane::bench
