#include "inspection/gui/thumbnail_picture.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <wx/bmpbndl.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace quorvane {
namespace {

// picture, scaled to fit a square of side and centred in it.
wxBitmap Thumbnail(wxImage picture, int side) {
    const double scale = std::min(
        1.0, static_cast<double>(side) / std::max(picture.GetWidth(), picture.GetHeight()));
    const int width = std::max(1, static_cast<int>(picture.GetWidth() * scale));
    const int height = std::max(1, static_cast<int>(picture.GetHeight() * scale));
    picture.Rescale(width, height, wxIMAGE_QUALITY_BILINEAR);
    if (!picture.HasAlpha()) {
        picture.InitAlpha();
    }
    picture.Resize(wxSize(side, side), wxPoint((side - width) / 2, (side - height) / 2));
    return wxBitmap(picture);
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

// A picture wxImage cannot read, through GdkPixbuf, already at the thumbnail's size.
wxImage PixbufPicture(const std::string& file, int side) {
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_scale(file.c_str(), side, side, TRUE, &error);
    if (pixbuf == nullptr) {
        g_clear_error(&error);
        return wxImage();
    }
    // The bitmap takes the pixbuf's reference.
    return wxBitmap(pixbuf).ConvertToImage();
}

}  // namespace

wxBitmap ThumbnailOfFile(const std::string& file, const std::string& type, int side) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(file, error);
    if (error || bytes > kMaxThumbnailFileBytes) {
        return wxBitmap();
    }
    const wxLogNull quiet;  // a broken picture is no news to the user
    if (type == "image/svg+xml") {
        return wxBitmapBundle::FromSVGFile(wxString::FromUTF8(file), wxSize(side, side))
            .GetBitmap(wxSize(side, side));
    }
    if (!WithinPixelBound(file)) {
        return wxBitmap();
    }
    wxImage picture;
    if (!picture.LoadFile(wxString::FromUTF8(file)) || !picture.IsOk()) {
        picture = PixbufPicture(file, side);
    }
    return picture.IsOk() ? Thumbnail(std::move(picture), side) : wxBitmap();
}

}  // namespace quorvane
