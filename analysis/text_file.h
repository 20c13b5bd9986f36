#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/text_pieces.h"

namespace quorvane {

// A whole-file write of text followed by CR LF, creating or replacing the file: the
// file holds either all of it or, when the write fails, what it held before. Throws
// std::system_error naming the path and the error when the file cannot be written;
// nothing stays open or behind however the call ends.
void WriteTextFile(const std::string& path, std::string_view text);

// The same write of the text that produce hands out in pieces.
void WriteTextFile(const std::string& path, const TextProducer& produce);

// The lines of a text: a line ends at CR LF or at a lone CR; a lone LF belongs to the
// line. A final line without a break counts; the break after the last line opens none.
std::vector<std::string> SplitLines(std::string_view text);

// Where the line that begins at lineStart ends, and where the next one begins.
struct LineEnd {
    std::size_t end;
    std::size_t next;
};
LineEnd EndOfLine(std::string_view text, std::size_t lineStart);

// Calls line(view) for each line of text, as SplitLines cuts them, without copying any.
template <typename Line>
void ForEachLine(std::string_view text, Line&& line) {
    for (std::size_t start = 0; start < text.size();) {
        const LineEnd end = EndOfLine(text, start);
        line(text.substr(start, end.end - start));
        start = end.next;
    }
}

// The whole content of a file. Throws std::system_error when it cannot be read.
std::string ReadTextFile(const std::string& path);

}  // namespace quorvane
