#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane {

// Room is left below the system's 255 bytes for " (n)" and the partial file's suffixes.
inline constexpr std::size_t kMaxSavedNameBytes = 200;

// A name that a file from the web can be saved under in a folder of the user's: the last
// segment of suggested, with control characters (those that turn the text's direction
// among them) and bytes that are no UTF-8 made "_", and leading dots and blanks dropped,
// so that a server can neither place a file elsewhere nor hide it; fallback when nothing
// is left. A longer name is cut to kMaxSavedNameBytes before its extension, at a
// character boundary. The name is never empty and never begins with a dot.
std::string SafeFileName(std::string_view suggested, std::string_view fallback);

// name with " (n)" before its extension: "archive (1).zip", "notes (2)", "data (1).tar.gz".
std::string NumberedFileName(const std::string& name, int n);

// The first of name, "name (1).ext", "name (2).ext", ... that taken says is free,
// starting at "name (firstNumber).ext" when firstNumber is above 0.
std::string FreeFileName(const std::string& name,
                         const std::function<bool(const std::string&)>& taken, int firstNumber = 0);

}  // namespace quorvane
