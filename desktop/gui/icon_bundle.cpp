#include "desktop/gui/icon_bundle.h"

#include <wx/bmpbndl.h>

#include <string_view>

namespace quorvane {

extern const std::string_view embeddedIconSvgText;

wxIconBundle LoadIconBundle(const std::string& resourceName) {
    wxIconBundle icons;
    if (resourceName != "AAA") {
        return icons;
    }
    const auto art =
        wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(embeddedIconSvgText.data()),
                                embeddedIconSvgText.size(), wxSize(kIconSizes[0], kIconSizes[0]));
    for (const int size : kIconSizes) {
        wxIcon icon;
        icon.CopyFromBitmap(art.GetBitmap(wxSize(size, size)));
        icons.AddIcon(icon);
    }
    return icons;
}

}  // namespace quorvane
