#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// What an argument a person gives on the command line names: a file in the folder the
// program was started in, by its path from there ("page.mhtml", "saved/page.mht"), is that
// file by its whole path, as the address box would not know it; anything else (an address
// with or without its scheme, a whole path) stays as it was typed.
std::string CommandLineAddress(const std::string& argument,
                               const std::filesystem::path& startFolder);

}  // namespace quorvane
