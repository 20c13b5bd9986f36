#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "inspection/served_source_limits.h"

namespace quorvane {

// The source re-indented with one tag, comment or run of text per line, two spaces deeper
// inside each open element. Every tag, text and comment keeps its bytes, and so does all
// of the content of script, style, title, textarea, pre, listing and plaintext; only the
// white space between them changes, and no tag is added, dropped or mended. Tokens are
// read as browsers read them (see ForEachToken), so reformatting the result changes
// nothing more. Indenting stops deepening at kMaxIndentLevels, and the result stops at
// limit bytes with a line saying so.
std::string ReformatSource(std::string_view text, std::size_t limit = kMaxServedSourceBytes);

inline constexpr std::size_t kMaxIndentLevels = 32;

}  // namespace quorvane
