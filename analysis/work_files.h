#pragma once

#include <string>

namespace quorvane {

// Creates every missing work file of programFolder holding an empty line (CR LF);
// existing ones are left untouched. Throws std::system_error naming the file when one
// cannot be created.
void EnsureWorkFiles(const std::string& programFolder);

// Empties checkImages.txt, checkImagesClean.txt, browser.txt and images.htm (each then
// holds CR LF). Throws at the first file that cannot be written.
void ResetWorkFiles(const std::string& programFolder);

}  // namespace quorvane
