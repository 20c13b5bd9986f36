#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane {

// Writes bytes into folder under name, or under the first free "name (n).ext" when that is
// taken, whole or not at all (a PartialFile), and returns where the file now is. Throws
// std::system_error when the folder cannot be written.

std::filesystem::path SaveWholeFile(const std::filesystem::path& folder, const std::string& name,
                                    std::string_view bytes);

// The same of bytes too many to be held at once: make hands them, as it makes them, to the
// writer it is given, piece by piece, into the partial file. A piece that cannot be
// written throws std::system_error out of make's call, which removes the partial file.
using BytePieceWriter = std::function<void(std::string_view piece)>;
std::filesystem::path SaveWholeFileInPieces(
    const std::filesystem::path& folder, const std::string& name,
    const std::function<void(const BytePieceWriter&)>& make);

}  // namespace quorvane
