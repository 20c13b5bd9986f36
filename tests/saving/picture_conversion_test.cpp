// "Convert to" of the saving of pictures: each kind of picture the desktop decodes becomes
// a PNG or a JPEG that decodes, bytes that are no picture are refused, and so is a picture
// too large to decode.
#include "saving/picture_conversion.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "saving/image_type.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectUnref>;

constexpr int kWidth = 6;
constexpr int kHeight = 3;

// A picture of kWidth by kHeight whose left half is opaque red and right half transparent.
Pixbuf HalfRed() {
    Pixbuf picture(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, kWidth, kHeight));
    gdk_pixbuf_fill(picture.get(), 0x00000000);
    Pixbuf left(gdk_pixbuf_new_subpixbuf(picture.get(), 0, 0, kWidth / 2, kHeight));
    gdk_pixbuf_fill(left.get(), 0xFF0000FF);
    return picture;
}

// HalfRed as the desktop's encoder of format writes it ("webp", "avif").
std::string Encoded(const char* format) {
    gchar* buffer = nullptr;
    gsize size = 0;
    EXPECT_TRUE(
        gdk_pixbuf_save_to_buffer(HalfRed().get(), &buffer, &size, format, nullptr, nullptr))
        << format;
    std::string bytes(buffer, size);
    g_free(buffer);
    return bytes;
}

Pixbuf Decoded(const std::string& bytes) {
    Pixbuf picture;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    if (gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(),
                                nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        picture.reset(GDK_PIXBUF(g_object_ref(gdk_pixbuf_loader_get_pixbuf(loader))));
    } else {
        gdk_pixbuf_loader_close(loader, nullptr);
    }
    g_object_unref(loader);
    return picture;
}

struct Rgba {
    int red, green, blue, alpha;
};

Rgba PixelAt(GdkPixbuf* picture, int x, int y) {
    const guchar* pixel = gdk_pixbuf_read_pixels(picture) + y * gdk_pixbuf_get_rowstride(picture) +
                          x * gdk_pixbuf_get_n_channels(picture);
    return {pixel[0], pixel[1], pixel[2], gdk_pixbuf_get_has_alpha(picture) ? pixel[3] : 255};
}

// Near enough for a lossy encoding of one colour.
bool Near(const Rgba& seen, const Rgba& wanted) {
    constexpr int kTolerance = 48;
    return std::abs(seen.red - wanted.red) <= kTolerance &&
           std::abs(seen.green - wanted.green) <= kTolerance &&
           std::abs(seen.blue - wanted.blue) <= kTolerance &&
           std::abs(seen.alpha - wanted.alpha) <= kTolerance;
}

// Two frames of 4 by 2, red then blue (ImageMagick: "-delay 10 -size 4x2 xc:red xc:blue").
const std::string kAnimatedGif(
    "\x47\x49\x46\x38\x39\x61\x04\x00\x02\x00\xF0\x00\x00\xFF\x00\x00\x00\x00\x00\x21\xF9\x04"
    "\x00\x0A\x00\x00\x00\x21\xFF\x0B\x4E\x45\x54\x53\x43\x41\x50\x45\x32\x2E\x30\x03\x01\x00"
    "\x00\x00\x2C\x00\x00\x00\x00\x04\x00\x02\x00\x00\x02\x03\x84\x6F\x05\x00\x21\xF9\x04\x00"
    "\x0A\x00\x00\x00\x2C\x00\x00\x00\x00\x04\x00\x02\x00\x80\x00\x00\xFF\x00\x00\x00\x02\x03"
    "\x84\x6F\x05\x00\x3B",
    93);

const std::string kSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"7\" height=\"5\">"
    "<rect width=\"4\" height=\"5\" fill=\"#ff0000\"/></svg>";

struct PictureRow {
    const char* kind;
    std::string bytes;
    int width;
    int height;
    bool transparentRight;  // its right edge is transparent
};

std::vector<PictureRow> PictureRows() {
    return {
        {"png", Encoded("png"), kWidth, kHeight, true},
        {"jpeg", Encoded("jpeg"), kWidth, kHeight, false},
        {"webp", Encoded("webp"), kWidth, kHeight, true},
        {"avif", Encoded("avif"), kWidth, kHeight, true},
        {"tiff", Encoded("tiff"), kWidth, kHeight, true},
        {"bmp", Encoded("bmp"), kWidth, kHeight, false},
        {"animated gif", kAnimatedGif, 4, 2, false},
        {"svg", kSvg, 7, 5, true},
    };
}

TEST(PictureConversion, EveryKindBecomesAPictureOfTheFormatThatDecodes) {
    const TempFolder folder;
    for (const PictureRow& row : PictureRows()) {
        for (const PictureFormat format : {PictureFormat::Png, PictureFormat::Jpeg}) {
            SCOPED_TRACE(std::string(row.kind) + " as " + std::string(FormatName(format)));
            const std::string name = std::string("/") + row.kind;
            folder.Write(name, row.bytes);
            const PictureConversionResult result =
                ConvertPictureFile(folder.File(name), {format, 90});
            const auto* converted = std::get_if<ConvertedPicture>(&result);
            ASSERT_NE(converted, nullptr) << std::get<PictureNotConverted>(result).reason;
            EXPECT_EQ(SniffedImageType(converted->bytes), ConvertedType(format));
            const Pixbuf picture = Decoded(converted->bytes);
            ASSERT_TRUE(picture);
            EXPECT_EQ(gdk_pixbuf_get_width(picture.get()), row.width);
            EXPECT_EQ(gdk_pixbuf_get_height(picture.get()), row.height);
            // The first frame of an animation is the one kept.
            EXPECT_TRUE(Near(PixelAt(picture.get(), 0, 0), {255, 0, 0, 255}));
            if (row.transparentRight) {
                // A JPEG has no transparency: what was transparent is white.
                const Rgba right =
                    format == PictureFormat::Jpeg ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 0};
                const Rgba seen = PixelAt(picture.get(), row.width - 1, row.height - 1);
                EXPECT_TRUE(format == PictureFormat::Png ? seen.alpha == 0 : Near(seen, right));
            }
        }
    }
}

TEST(PictureConversion, AJpegTakesTheQualityAsked) {
    const TempFolder folder;
    Pixbuf noise(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 64, 64));
    guchar* pixels = gdk_pixbuf_get_pixels(noise.get());
    for (int i = 0; i < 64 * gdk_pixbuf_get_rowstride(noise.get()); ++i) {
        pixels[i] = static_cast<guchar>((i * 7919) % 251);
    }
    ASSERT_TRUE(
        gdk_pixbuf_save(noise.get(), folder.File("/noise.png").c_str(), "png", nullptr, nullptr));
    const auto size = [&](int quality) {
        const PictureConversionResult result =
            ConvertPictureFile(folder.File("/noise.png"), {PictureFormat::Jpeg, quality});
        return std::get<ConvertedPicture>(result).bytes.size();
    };
    EXPECT_LT(size(20), size(95));
    // Out of range is held to the range, never refused.
    EXPECT_EQ(size(0), size(1));
    EXPECT_EQ(size(400), size(100));
}

TEST(PictureConversion, RefusesWhatDoesNotDecode) {
    const TempFolder folder;
    const std::string png = Encoded("png");
    const struct {
        const char* kind;
        std::string bytes;
        std::string_view reason;
    } rows[] = {
        {"truncated png", png.substr(0, png.size() / 2), kPictureNotDecoded},
        {"html", "<!DOCTYPE html><html><body>Not Found</body></html>", kPictureNotDecoded},
        {"empty", "", kPictureNotDecoded},
        {"gif header only", "GIF89a", kPictureNotDecoded},
        {"svg without end", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"7\"",
         kPictureNotDecoded},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        folder.Write("/broken", row.bytes);
        const PictureConversionResult result =
            ConvertPictureFile(folder.File("/broken"), {PictureFormat::Png, 90});
        ASSERT_TRUE(std::holds_alternative<PictureNotConverted>(result));
        EXPECT_EQ(std::get<PictureNotConverted>(result).reason, row.reason);
        EXPECT_EQ(folder.Read("/broken"), row.bytes) << "the file is left as it was";
    }
    const PictureConversionResult missing =
        ConvertPictureFile(folder.File("/missing"), {PictureFormat::Jpeg, 90});
    EXPECT_EQ(std::get<PictureNotConverted>(missing).reason, kPictureUnreadable);
}

// A PNG of 10001 by 10000, RGBA: its header, and the beginning of its pixels.
const std::string kHugePng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x27\x11\x00\x00"
    "\x27\x10\x08\x06\x00\x00\x00\x55\x8C\x09\x19\x00\x00\x00\x0C\x49\x44\x41\x54\x78\x9C\x63"
    "\x60\xA0\x0C\x00\x00\x00\x40\x00\x01\xB7\x34\x7C\xEF",
    57);

// A page may declare a huge picture in a few bytes; it is refused from its size, before its
// pixels are decoded (an SVG of 40 000 by 40 000 would take 6.4 GB and minutes to draw).
TEST(PictureConversion, RefusesAPictureOfTooManyPixelsFromItsSize) {
    const TempFolder folder;
    const struct {
        const char* kind;
        std::string bytes;
        std::string_view reason;
    } rows[] = {
        {"png of 10001 x 10000", kHugePng, kPictureTooLarge},
        {"svg of 40000 x 40000",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40000\" height=\"40000\">"
         "<rect width=\"40000\" height=\"40000\" fill=\"red\"/></svg>",
         kPictureTooLarge},
        {"svg of 100000 x 1001",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100000\" height=\"1001\"/>",
         kPictureTooLarge},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        folder.Write("/large", row.bytes);
        const PictureConversionResult result =
            ConvertPictureFile(folder.File("/large"), {PictureFormat::Png, 90});
        ASSERT_TRUE(std::holds_alternative<PictureNotConverted>(result));
        EXPECT_EQ(std::get<PictureNotConverted>(result).reason, row.reason);
    }
}

TEST(PictureConversion, ConvertsOnlyWhatIsNotOfTheFormatAlready) {
    const struct {
        std::string_view type;
        PictureFormat format;
        bool changes;
    } rows[] = {
        {"image/png", PictureFormat::Png, false},
        {"image/jpeg", PictureFormat::Png, true},
        {"image/webp", PictureFormat::Png, true},
        {"", PictureFormat::Png, true},
        {"image/jpeg", PictureFormat::Jpeg, false},
        {"image/png", PictureFormat::Jpeg, true},
        {"image/svg+xml", PictureFormat::Jpeg, true},
        {"image/webp", PictureFormat::Keep, false},
        {"", PictureFormat::Keep, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ConversionChanges(row.type, row.format), row.changes)
            << row.type << " to " << FormatName(row.format);
    }
}

// The settings file keeps the choice by name; a name of no format (an older or damaged
// file) gives none, and the settings their default.
TEST(PictureConversion, EachFormatIsKeptByItsOwnName) {
    const struct {
        std::string_view name;
        std::optional<PictureFormat> format;
    } rows[] = {
        {"keep", PictureFormat::Keep}, {"png", PictureFormat::Png}, {"jpeg", PictureFormat::Jpeg},
        {"PNG", std::nullopt},         {"jpg", std::nullopt},       {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FormatOfSettingName(row.name), row.format) << row.name;
        if (row.format) {
            EXPECT_EQ(FormatSettingName(*row.format), row.name);
        }
    }
}

}  // namespace
}  // namespace quorvane
