#pragma once

#include <cstddef>

namespace quorvane {

// A served page is shown up to this many bytes; past it, the first this many and a line
// that says so. The reformatted text is held to the same size.
inline constexpr std::size_t kMaxServedSourceBytes = std::size_t{64} << 20;

// A page made of nothing but addresses would otherwise cost memory in step with its
// length; past this many, the rest of its addresses are no links.
inline constexpr std::size_t kMaxHotspots = 1'000'000;

// Every byte of a hotspot's range fits this type, the page being held below 4 GB.
static_assert(kMaxServedSourceBytes < (std::size_t{1} << 32));

}  // namespace quorvane
