#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inspection/marked_lines.h"
#include "source_changes/change_list.h"
#include "source_changes/line_changes.h"

namespace quorvane {

// What the "Changes" mode shows: the text, its marks, its changes and what is said of them
// ("14 changes", or why the texts could not be compared).
struct SourceComparison {
    std::string text;
    std::vector<MarkedLine> marks;
    ChangeList changes;
    std::string note;
};

// Compares the served and the live text, both reformatted one element per line as the
// "Original Source" view reformats (so that white space between the tags never counts),
// and makes the text that shows the changes. Beyond bounds, the two texts one after the
// other, without marks.
SourceComparison CompareSources(std::string_view served, std::string_view live,
                                const ChangeBounds& bounds = {});

}  // namespace quorvane
