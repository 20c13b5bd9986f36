#include "saving/image_extension.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(ImageExtension, NamesAPictureForTheTypeOfItsBytes) {
    const struct {
        const char* name;
        const char* bytesType;
        const char* saved;
    } rows[] = {
        {"photo.jpg", "image/png", "photo.png"},
        {"photo.JPG", "image/png", "photo.png"},
        {"photo.png", "image/png", "photo.png"},
        {"photo.jpeg", "image/jpeg", "photo.jpeg"},
        {"photo.JPE", "image/jpeg", "photo.JPE"},
        {"photo.png", "image/jpeg", "photo.jpg"},
        {"anim.gif", "image/webp", "anim.webp"},
        {"logo.svg", "image/png", "logo.png"},
        {"icon.png", "image/svg+xml", "icon.svg"},
        {"favicon.ico", "image/x-icon", "favicon.ico"},
        {"scan.tiff", "image/tiff", "scan.tiff"},
        {"picture.avif", "image/avif", "picture.avif"},
        {"picture.webp", "image/avif", "picture.avif"},
        // An extension of no picture is kept, and the type's follows it.
        {"image.php", "image/png", "image.php.png"},
        {"photo.2024", "image/jpeg", "photo.2024.jpg"},
        {"image", "image/gif", "image.gif"},
        {"archive.tar.gif", "image/png", "archive.tar.png"},
        // Bytes of no picture known here say nothing of the name.
        {"page.jpg", "", "page.jpg"},
        {"page.jpg", "text/html", "page.jpg"},
        // A name that begins with its only dot has no extension.
        {".png", "image/jpeg", ".png.jpg"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NameForImageBytes(row.name, row.bytesType), row.saved)
            << row.name << " of " << row.bytesType;
    }
}

TEST(ImageExtension, GivesEachPictureTypeItsExtension) {
    const struct {
        const char* type;
        const char* extension;
    } rows[] = {
        {"image/png", ".png"},     {"IMAGE/JPEG", ".jpg"},
        {"image/gif", ".gif"},     {"image/webp", ".webp"},
        {"image/svg+xml", ".svg"}, {"image/vnd.microsoft.icon", ".ico"},
        {"image/tiff", ".tif"},    {"image/heic", ""},
        {"text/html", ""},         {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ImageTypeExtension(row.type), row.extension) << row.type;
    }
}

}  // namespace
}  // namespace quorvane
