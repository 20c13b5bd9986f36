#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// A whole-file write of text followed by CR LF, creating or replacing the file: the
// file holds either all of it or, when the write fails, what it held before. Throws
// std::system_error naming the path and the error when the file cannot be written;
// nothing stays open or behind however the call ends.
void WriteTextFile(const std::string& path, std::string_view text);

// The lines of a text: a line ends at CR LF or at a lone CR; a lone LF belongs to the
// line. A final line without a break counts; the break after the last line opens none.
std::vector<std::string> SplitLines(std::string_view text);

// The whole content of a file. Throws std::system_error when it cannot be read.
std::string ReadTextFile(const std::string& path);

}  // namespace quorvane
