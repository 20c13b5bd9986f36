#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// A page saved whole, with the files it loaded, in one MHTML file.

// Whether a file of name holds a page saved whole: its name ends in ".mhtml" or ".mht",
// in any case. The name the user gives chooses what the save writes.
bool IsWholePageFileName(std::string_view name);

// The name a page saved whole is proposed under: name with ".mhtml" in place of its
// extension ("page.html" -> "page.mhtml"); a name of a page saved whole stays as it is.
std::string WholePageFileName(std::string_view name);

// "812 bytes", "12.3 kB", "1.4 MB", "2.0 GB".
std::string SizeForDisplay(std::uintmax_t bytes);

// "Saved page.mhtml (1.4 MB) to ~/Downloads"
std::string SavedWholePageMessage(const std::filesystem::path& file, std::uintmax_t bytes,
                                  const std::filesystem::path& home);

}  // namespace quorvane
