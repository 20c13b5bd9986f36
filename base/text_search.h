#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/ascii.h"

namespace quorvane {

// Position of the first occurrence of needle at or after from, or npos.
std::size_t FindExact(std::string_view text, std::string_view needle, std::size_t from = 0);
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

bool ContainsNoCase(std::string_view text, std::string_view needle);

// Replace every occurrence, left to right without overlap, never rescanning what was
// just inserted. An empty needle leaves the text unchanged.
std::string ReplaceAllExact(std::string_view text, std::string_view needle,
                            std::string_view replacement);
std::string ReplaceAllNoCase(std::string_view text, std::string_view needle,
                             std::string_view replacement);

bool EndsWith(std::string_view text, std::string_view tail);

}  // namespace quorvane
