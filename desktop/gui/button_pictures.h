#pragma once

#include <wx/bmpbndl.h>

namespace quorvane {

// The program's own pictures for the navigation buttons, drawn in the colours of its
// emblem: the theme's own are pale outlines that read as switched off.
enum class ButtonPicture { Back, Forward, Refresh, UpDir, Go };

// The picture at size (in device-independent pixels), drawn from vector art at every
// scale the display asks for.
wxBitmapBundle ButtonPictureBundle(ButtonPicture picture, const wxSize& size);

}  // namespace quorvane
