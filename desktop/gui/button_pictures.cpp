#include "desktop/gui/button_pictures.h"

#include <string_view>

namespace quorvane {

extern const std::string_view embeddedBackSvgText;
extern const std::string_view embeddedForwardSvgText;
extern const std::string_view embeddedRefreshSvgText;
extern const std::string_view embeddedUpDirSvgText;
extern const std::string_view embeddedGoSvgText;

namespace {

std::string_view ArtOf(ButtonPicture picture) {
    switch (picture) {
        case ButtonPicture::Back:
            return embeddedBackSvgText;
        case ButtonPicture::Forward:
            return embeddedForwardSvgText;
        case ButtonPicture::Refresh:
            return embeddedRefreshSvgText;
        case ButtonPicture::UpDir:
            return embeddedUpDirSvgText;
        case ButtonPicture::Go:
            return embeddedGoSvgText;
    }
    return {};
}

}  // namespace

wxBitmapBundle ButtonPictureBundle(ButtonPicture picture, const wxSize& size) {
    const std::string_view art = ArtOf(picture);
    return wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(art.data()), art.size(), size);
}

}  // namespace quorvane
