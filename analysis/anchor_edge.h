#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Every anchor the source view inserts is its address and its name, escaped, in this
// frame: <a href='address'>name</a>
inline constexpr std::string_view kAnchorBeginning = "<a href='";
inline constexpr std::string_view kAnchorMiddle = "'>";
inline constexpr std::string_view kAnchorEnd = "</a>";
inline constexpr std::size_t kAnchorFrameSize =
    kAnchorBeginning.size() + kAnchorMiddle.size() + kAnchorEnd.size();

// Whether name could match across the edge of an anchor the source view inserts, and so
// costs a linking pass of its own.
bool CanReachAcrossAnAnchorEdge(std::string_view name);

}  // namespace quorvane
