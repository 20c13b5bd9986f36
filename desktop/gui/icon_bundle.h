#pragma once

#include <wx/iconbndl.h>

#include <string>

namespace quorvane {

// The sizes, in pixels square, of every image of the program's icon.
inline constexpr int kIconSizes[] = {128, 64, 48, 32, 16};

// The icon resource of that name compiled into the executable, one image per size of
// kIconSizes; an empty bundle for a name that is not a resource. The only resource is
// "AAA", the program's icon, kept as vector art and drawn at each size.
wxIconBundle LoadIconBundle(const std::string& resourceName);

}  // namespace quorvane
