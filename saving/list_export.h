#pragma once

#include <filesystem>
#include <string>

#include "saving/whole_file.h"

namespace quorvane {

// The name an export of one of the page's lists proposes: the page's own name without
// its extension, then ending ("-images.csv"); fallback ("images.csv") for a page whose
// name gives nothing usable.
std::string ListExportFileName(const std::string& pageAddress, const std::string& ending,
                               const std::string& fallback);

// Writes text to file whole, never over a file that is there (the next free name is
// taken); what panel 1 says of it, saved or why not.
std::string SaveListExport(const std::filesystem::path& file, const std::string& text);
// The same of a list too long to be held as one text: make writes it piece by piece.
std::string SaveListExport(const std::filesystem::path& file,
                           const std::function<void(const BytePieceWriter&)>& make);

}  // namespace quorvane
