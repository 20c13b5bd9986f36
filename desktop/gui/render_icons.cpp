// Draws the program's icon at every size for the files installed beside the program
// and for the desktop: PNGs of each size and the two icon files named by the IE Tools
// menu entry ("icon.ico", and "hoticon.ico", a lighter one for the hovered button).
//   quorvane_render_icons <output folder>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "desktop/gui/icon_bundle.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes PngBytes(const wxImage& image) {
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    Bytes bytes(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

void PutLittleEndian(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

// An icon file whose images are stored as PNG, one directory entry per size.
Bytes IcoBytes(const std::vector<wxImage>& images) {
    Bytes header;
    Bytes data;
    PutLittleEndian(header, 0, 2);  // reserved
    PutLittleEndian(header, 1, 2);  // type: icon
    PutLittleEndian(header, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const wxImage& image : images) {
        const Bytes png = PngBytes(image);
        const int size = image.GetWidth();
        header.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
        header.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
        PutLittleEndian(header, 0, 2);   // no palette, reserved
        PutLittleEndian(header, 1, 2);   // colour planes
        PutLittleEndian(header, 32, 2);  // bits per pixel
        PutLittleEndian(header, static_cast<std::uint32_t>(png.size()), 4);
        PutLittleEndian(header, offset, 4);
        offset += static_cast<std::uint32_t>(png.size());
        data.insert(data.end(), png.begin(), png.end());
    }
    header.insert(header.end(), data.begin(), data.end());
    return header;
}

bool Write(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    wxInitializer wx(argc, argv);
    if (!wx.IsOk() || argc != 2) {
        std::fprintf(stderr, "usage: quorvane_render_icons <output folder>\n");
        return 2;
    }
    wxImage::AddHandler(new wxPNGHandler);
    const std::string folder = argv[1];
    const wxIconBundle icons = quorvane::LoadIconBundle("AAA");
    std::vector<wxImage> images;
    std::vector<wxImage> hotImages;
    bool ok = true;
    for (const int size : quorvane::kIconSizes) {
        wxBitmap bitmap;
        bitmap.CopyFromIcon(icons.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE));
        images.push_back(bitmap.ConvertToImage());
        hotImages.push_back(images.back().ChangeLightness(115));
        ok = ok &&
             Write(folder + "/quorvane-" + std::to_string(size) + ".png", PngBytes(images.back()));
    }
    ok = ok && Write(folder + "/icon.ico", IcoBytes(images));
    ok = ok && Write(folder + "/hoticon.ico", IcoBytes(hotImages));
    return ok ? 0 : 1;
}
