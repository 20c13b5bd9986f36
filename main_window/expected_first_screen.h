#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The first screen of the Source Code view's page for a body that begins with bodyStart,
// as the page made of that start alone has it, cut as a first screen is cut. The whole
// body's page most often begins the same; it differs where a name only the rest of the
// body gives also stands in the start, or where a scan reads across the start's end.
std::string ExpectedSourceFirstScreen(std::string_view bodyStart, const std::string& pageAddress);

// The same for the Images view's page: the images of the start's tags, up to the last tag
// the start holds whole. Empty when the start shows no image, whose page may yet show some:
// the view then says it prepares the page rather than show an empty one.
std::string ExpectedImagesFirstScreen(std::string_view bodyStart, const std::string& pageAddress);

}  // namespace quorvane
