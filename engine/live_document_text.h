#pragma once

#include <cstddef>
#include <string>

#include "base/limits.h"

namespace quorvane {

// The live document's text held to limit bytes, as the served text is: past it, the text
// ends at the last whole character before limit and a line says how much was read of how
// much. totalUnits: the document's length in UTF-16 units, as the engine counted it.
// Returns whether the text was cut.
bool HoldLiveText(std::string& text, std::size_t totalUnits,
                  std::size_t limit = kMaxServedSourceBytes);

}  // namespace quorvane
