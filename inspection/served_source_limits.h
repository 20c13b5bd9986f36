#pragma once

#include <cstddef>

#include "base/limits.h"

namespace quorvane {

// A page made of nothing but addresses would otherwise cost memory in step with its
// length; past this many, the rest of its addresses are no links.
inline constexpr std::size_t kMaxHotspots = 1'000'000;

// Every byte of a hotspot's range fits this type, the page being held below 4 GB.
static_assert(kMaxServedSourceBytes < (std::size_t{1} << 32));

}  // namespace quorvane
