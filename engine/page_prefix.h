#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// The most of a generated page's start that fits in maxBytes and is whole as markup: it ends
// just before a tag, never inside a tag, a comment, a character reference or a character of
// several bytes, so the engine shows it as the same first lines as the whole page. The whole
// page when it fits; empty when no tag starts within maxBytes.
std::string_view PagePrefix(std::string_view page, std::size_t maxBytes);

}  // namespace quorvane
