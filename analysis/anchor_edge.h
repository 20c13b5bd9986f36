#pragma once

#include <string_view>

namespace quorvane {

// Whether name could match across the edge of an anchor the source view inserts, and so
// costs a linking pass of its own.
bool CanReachAcrossAnAnchorEdge(std::string_view name);

}  // namespace quorvane
