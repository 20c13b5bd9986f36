#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

// A code viewer lays out each line whole, in time that grows with the line: a page on
// one line of megabytes would stall it for seconds. Lines longer than this are shown in
// pieces of at most this many bytes.
inline constexpr std::size_t kMaxShownLineBytes = 1000;

// The text as the viewer shows it: long lines broken with "\n" after a tag's ">" or at a
// space near the end of each piece, else at a character's edge.
struct ShownLines {
    std::string text;
    // The lines (counted from 0) that go on with the line before them, in order.
    std::vector<std::uint32_t> continued;
    // The positions of the text before which a "\n" was put in, in order.
    std::vector<std::uint32_t> breaks;
};

// A line ends at LF, CR LF or a lone CR, as the viewer counts them.
ShownLines BreakLongLines(std::string text, std::size_t maxLine = kMaxShownLineBytes);

// Where a position of the text is in the text as shown, given the breaks put in.
std::size_t ShownPosition(std::span<const std::uint32_t> breaks, std::size_t position);
// Where a position of the shown text is in the text; a "\n" put in is read as the
// position after it.
std::size_t SourcePosition(std::span<const std::uint32_t> breaks, std::size_t shownPosition);

}  // namespace quorvane
