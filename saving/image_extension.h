#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The extension a picture of mediaType ("image/png") is saved with (".png"); "" for a
// type of no picture known here.
std::string ImageTypeExtension(std::string_view mediaType);

// The name a picture whose bytes are of bytesType (SniffedImageType's; "" for bytes of no
// picture known here) is saved under, so that the desktop opens it with what reads it:
// name with the type's extension in place of another picture type's ("photo.jpg" of PNG
// bytes is "photo.png"), or after an extension of no picture ("image.php" is
// "image.php.png"). A name whose extension is already one of the type's (".jpeg" of a
// JPEG) stays as it is, and so does every name of bytes of no known type.
std::string NameForImageBytes(std::string_view name, std::string_view bytesType);

}  // namespace quorvane
