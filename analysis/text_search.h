#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Page text is bytes; searches that ignore letter case fold the ASCII letters only, so
// the bytes of any other script never compare equal by accident.

// Position of the first occurrence of needle at or after from, or npos.
std::size_t FindExact(std::string_view text, std::string_view needle, std::size_t from = 0);
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

bool ContainsNoCase(std::string_view text, std::string_view needle);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Replace every occurrence, left to right without overlap, never rescanning what was
// just inserted. An empty needle leaves the text unchanged.
std::string ReplaceAllExact(std::string_view text, std::string_view needle,
                            std::string_view replacement);
std::string ReplaceAllNoCase(std::string_view text, std::string_view needle,
                             std::string_view replacement);

bool EndsWith(std::string_view text, std::string_view tail);

}  // namespace quorvane
