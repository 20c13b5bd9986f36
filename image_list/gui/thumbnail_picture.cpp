#include "image_list/gui/thumbnail_picture.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <system_error>
#include <utility>

namespace quorvane {
namespace {

// picture, scaled to fit a square of side and centred in it.
wxImage Thumbnail(wxImage picture, int side) {
    const double scale = std::min(
        1.0, static_cast<double>(side) / std::max(picture.GetWidth(), picture.GetHeight()));
    const int width = std::max(1, static_cast<int>(picture.GetWidth() * scale));
    const int height = std::max(1, static_cast<int>(picture.GetHeight() * scale));
    picture.Rescale(width, height, wxIMAGE_QUALITY_BILINEAR);
    if (!picture.HasAlpha()) {
        picture.InitAlpha();
    }
    picture.Resize(wxSize(side, side), wxPoint((side - width) / 2, (side - height) / 2));
    return picture;
}

// False for a picture whose header declares more pixels than are drawn; true too when
// no loader knows its header, as wxImage may still read it.
bool WithinPixelBound(const std::string& file) {
    int width = 0;
    int height = 0;
    if (gdk_pixbuf_get_file_info(file.c_str(), &width, &height) == nullptr) {
        return true;
    }
    return width > 0 && height > 0 &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <=
               kMaxThumbnailPixels;
}

// A picture wxImage cannot read, an SVG among them, through GdkPixbuf, already at the
// thumbnail's size. Its pixels are copied rather than handed to a bitmap, so that any
// thread may read it.
wxImage PixbufPicture(const std::string& file, int side) {
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_scale(file.c_str(), side, side, TRUE, &error);
    if (pixbuf == nullptr) {
        g_clear_error(&error);
        return wxImage();
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) && channels == 4;
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    wxImage picture(width, height, false);
    if (alpha) {
        picture.SetAlpha();
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const guchar* pixel = pixels + static_cast<std::ptrdiff_t>(y) * stride + x * channels;
            picture.SetRGB(x, y, pixel[0], pixel[1], pixel[2]);
            if (alpha) {
                picture.SetAlpha(x, y, pixel[3]);
            }
        }
    }
    g_object_unref(pixbuf);
    return picture;
}

}  // namespace

wxImage ThumbnailImageOfFile(const std::string& file, const std::string& type, int side) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(file, error);
    if (error || bytes > kMaxThumbnailFileBytes) {
        return wxImage();
    }
    const wxLogNull quiet;  // a broken picture is no news to the user
    wxImage picture;
    // A drawing is drawn at the thumbnail's size, whatever size it declares.
    if (type == "image/svg+xml") {
        picture = PixbufPicture(file, side);
    } else if (!WithinPixelBound(file)) {
        return wxImage();
    } else if (!picture.LoadFile(wxString::FromUTF8(file)) || !picture.IsOk()) {
        picture = PixbufPicture(file, side);
    }
    return picture.IsOk() ? Thumbnail(std::move(picture), side) : wxImage();
}

}  // namespace quorvane
