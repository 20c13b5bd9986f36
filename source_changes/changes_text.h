#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inspection/marked_lines.h"
#include "source_changes/line_changes.h"

namespace quorvane {

// Where one change lies in the text that shows the changes: its first line (from 0) and
// how many lines it takes.
struct ChangeSpan {
    std::uint32_t first = 0;
    std::uint32_t count = 0;

    friend bool operator==(const ChangeSpan&, const ChangeSpan&) = default;
};

// The served and the live text as one: the lines they share once, and at each change the
// served lines that went, then the live lines that came, each of them marked.
struct ChangesText {
    std::string text;
    std::vector<MarkedLine> marks;    // in the order of the lines
    std::vector<ChangeSpan> changes;  // in the order of the lines
};

// changes: what CompareLines found between served and live.
ChangesText InterleaveChanges(std::string_view served, std::string_view live,
                              const std::vector<LineChange>& changes);

// The two texts one after the other, each under a line that names it, without marks: what
// is shown when they are too large to compare; why says so above them.
std::string TextsOneAfterTheOther(std::string_view served, std::string_view live,
                                  std::string_view why);

}  // namespace quorvane
