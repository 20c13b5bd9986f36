#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Whole-file writes: one open-write-close of text followed by CR LF. They throw
// std::system_error naming the path when the file cannot be opened or written; the
// file is closed however the call ends.
void WriteTextFile(const std::string& path, std::string_view text);   // create or truncate
void AppendTextFile(const std::string& path, std::string_view text);  // create or append

// The lines of a text: a line ends at CR LF or at a lone CR; a lone LF belongs to the
// line. A final line without a break counts; the break after the last line opens none.
std::vector<std::string> SplitLines(std::string_view text);

// The lines of a file, read whole. Throws std::system_error when it cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);

}  // namespace quorvane
