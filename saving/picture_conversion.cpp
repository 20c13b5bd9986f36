#include "saving/picture_conversion.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <optional>
#include <utility>

namespace quorvane {
namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectUnref>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

// One picture being decoded: the loader is closed (as GLib asks of every loader) and let go
// however the decoding ends. It refuses a picture of too many pixels from its size, which
// the decoders tell before they allocate the pixels: a size of nothing asks them to
// allocate nothing.
class Decoding {
  public:
    Decoding() : loader_(gdk_pixbuf_loader_new()) {
        g_signal_connect(loader_, "size-prepared", G_CALLBACK(OnSizePrepared), this);
    }
    ~Decoding() {
        if (!closed_) {
            gdk_pixbuf_loader_close(loader_, nullptr);
        }
        g_object_unref(loader_);
    }
    Decoding(const Decoding&) = delete;
    Decoding& operator=(const Decoding&) = delete;

    bool TooLarge() const { return tooLarge_; }
    // False once the bytes do not decode, or the picture is too large.
    bool Write(const char* bytes, std::size_t size) {
        GError* error = nullptr;
        const bool written =
            gdk_pixbuf_loader_write(loader_, reinterpret_cast<const guchar*>(bytes), size, &error);
        Error owned(error);
        return written && !tooLarge_;
    }
    // The picture (the first frame of an animation), or none when it does not decode.
    Pixbuf Finish() {
        GError* error = nullptr;
        closed_ = true;
        const bool whole = gdk_pixbuf_loader_close(loader_, &error);
        Error owned(error);
        GdkPixbuf* picture = whole && !tooLarge_ ? gdk_pixbuf_loader_get_pixbuf(loader_) : nullptr;
        return Pixbuf(picture != nullptr ? GDK_PIXBUF(g_object_ref(picture)) : nullptr);
    }

  private:
    static void OnSizePrepared(GdkPixbufLoader* loader, gint width, gint height, gpointer data) {
        auto* decoding = static_cast<Decoding*>(data);
        const std::uint64_t pixels =
            std::uint64_t(std::max(width, 0)) * std::uint64_t(std::max(height, 0));
        if (pixels > kMaxConvertedPixels) {
            decoding->tooLarge_ = true;
            gdk_pixbuf_loader_set_size(loader, 0, 0);
        }
    }

    GdkPixbufLoader* loader_;
    bool closed_ = false;
    bool tooLarge_ = false;
};

using Decoded = std::variant<Pixbuf, PictureNotConverted>;

Decoded Decode(const std::filesystem::path& file, std::stop_token stop) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return PictureNotConverted{kPictureUnreadable};
    }
    Decoding decoding;
    std::array<char, 64 * 1024> piece{};
    while (!stop.stop_requested() && (in.read(piece.data(), piece.size()) || in.gcount() > 0)) {
        if (!decoding.Write(piece.data(), static_cast<std::size_t>(in.gcount()))) {
            return PictureNotConverted{decoding.TooLarge() ? kPictureTooLarge : kPictureNotDecoded};
        }
    }
    if (in.bad()) {
        return PictureNotConverted{kPictureUnreadable};
    }
    if (stop.stop_requested()) {
        return PictureNotConverted{kPictureNotDecoded};
    }
    Pixbuf picture = decoding.Finish();
    if (!picture) {
        return PictureNotConverted{decoding.TooLarge() ? kPictureTooLarge : kPictureNotDecoded};
    }
    return picture;
}

// The picture on white, without transparency, for a format that has none.
Pixbuf OnWhite(GdkPixbuf* picture) {
    const int width = gdk_pixbuf_get_width(picture);
    const int height = gdk_pixbuf_get_height(picture);
    Pixbuf flat(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height));
    if (flat) {
        constexpr guint32 kWhite = 0xFFFFFFFF;
        gdk_pixbuf_fill(flat.get(), kWhite);
        constexpr int kOpaque = 255;
        gdk_pixbuf_composite(picture, flat.get(), 0, 0, width, height, 0, 0, 1, 1,
                             GDK_INTERP_NEAREST, kOpaque);
    }
    return flat;
}

std::optional<std::string> Encode(GdkPixbuf* picture, const PictureConversion& conversion) {
    Pixbuf flat;
    const std::string quality =
        std::to_string(std::clamp(conversion.jpegQuality, PictureConversion::kLeastJpegQuality,
                                  PictureConversion::kBestJpegQuality));
    char qualityKey[] = "quality";
    char* keys[] = {qualityKey, nullptr};
    char* values[] = {const_cast<char*>(quality.c_str()), nullptr};
    const bool jpeg = conversion.format == PictureFormat::Jpeg;
    if (jpeg && gdk_pixbuf_get_has_alpha(picture)) {
        flat = OnWhite(picture);
        if (!flat) {
            return std::nullopt;
        }
        picture = flat.get();
    }
    gchar* buffer = nullptr;
    gsize size = 0;
    GError* error = nullptr;
    const bool encoded =
        gdk_pixbuf_save_to_bufferv(picture, &buffer, &size, jpeg ? "jpeg" : "png",
                                   jpeg ? keys : nullptr, jpeg ? values : nullptr, &error);
    Error owned(error);
    const std::unique_ptr<gchar, decltype(&g_free)> bytes(buffer, &g_free);
    if (!encoded) {
        return std::nullopt;
    }
    return std::string(bytes.get(), size);
}

}  // namespace

std::string_view ConvertedType(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return "image/png";
        case PictureFormat::Jpeg:
            return "image/jpeg";
        case PictureFormat::Keep:
            break;
    }
    return {};
}

std::string_view FormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Png:
            return "PNG";
        case PictureFormat::Jpeg:
            return "JPEG";
        case PictureFormat::Keep:
            break;
    }
    return {};
}

namespace {

constexpr std::pair<PictureFormat, std::string_view> kSettingNames[] = {
    {PictureFormat::Keep, "keep"},
    {PictureFormat::Png, "png"},
    {PictureFormat::Jpeg, "jpeg"},
};

}  // namespace

std::string_view FormatSettingName(PictureFormat format) {
    for (const auto& [named, name] : kSettingNames) {
        if (named == format) {
            return name;
        }
    }
    return {};
}

std::optional<PictureFormat> FormatOfSettingName(std::string_view name) {
    for (const auto& [format, named] : kSettingNames) {
        if (named == name) {
            return format;
        }
    }
    return std::nullopt;
}

bool ConversionChanges(std::string_view bytesType, PictureFormat format) {
    return format != PictureFormat::Keep && bytesType != ConvertedType(format);
}

PictureConversionResult ConvertPictureFile(const std::filesystem::path& file,
                                           const PictureConversion& conversion,
                                           std::stop_token stop) {
    Decoded decoded = Decode(file, std::move(stop));
    if (auto* refused = std::get_if<PictureNotConverted>(&decoded)) {
        return *refused;
    }
    std::optional<std::string> bytes = Encode(std::get<Pixbuf>(decoded).get(), conversion);
    if (!bytes) {
        return PictureNotConverted{kPictureNotEncoded};
    }
    return ConvertedPicture{std::move(*bytes)};
}

}  // namespace quorvane
