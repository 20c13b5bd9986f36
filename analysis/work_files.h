#pragma once

#include <string>
#include <string_view>

namespace quorvane {

class WorkFileWriter;

// The six work files; each name begins with the separator and is joined to the
// program folder by plain concatenation.
inline constexpr std::string_view kBrowserFile = "/browser.txt";
inline constexpr std::string_view kSourceFile = "/source.htm";
inline constexpr std::string_view kImagesFile = "/images.htm";
inline constexpr std::string_view kCheckImagesFile = "/checkImages.txt";
inline constexpr std::string_view kCheckImagesCleanFile = "/checkImagesClean.txt";
inline constexpr std::string_view kImagePageFile = "/imagepage.html";

// programFolder followed directly by name.
std::string WorkFilePath(const std::string& programFolder, std::string_view name);

// Creates every missing work file of programFolder holding an empty line (CR LF);
// existing ones are left untouched. Throws std::system_error naming the file when one
// cannot be created.
void EnsureWorkFiles(const std::string& programFolder);

// Empties checkImages.txt, checkImagesClean.txt, browser.txt and images.htm (each then
// holds CR LF) through files. Throws at the first file that cannot be written.
void ResetWorkFiles(WorkFileWriter& files);

}  // namespace quorvane
