#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A page may hold any number of frames: the chooser offers the first this many.
inline constexpr std::size_t kMaxFrameChoices = 200;

// The frames the "Original Source" view offers besides the page's main document, by the
// addresses of the documents they show (in the order of their elements, at any depth), so
// each address once: only those the view would open from the page (never a local file
// from a web page, a script, or a frame of no address of its own such as "about:blank"),
// and none at the page's own address, which the main document is.
std::vector<std::string> FramesToChoose(std::string_view pageAddress,
                                        const std::vector<std::string>& frameAddresses);

// The frame chosen once the frames offered are known again: the one chosen before while
// it is offered, else the main document ("").
std::string FrameStillChosen(const std::vector<std::string>& offered, const std::string& chosen);

}  // namespace quorvane
