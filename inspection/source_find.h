#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inspection/hotspots.h"

namespace quorvane {

struct SourceFindOptions {
    bool matchCase = false;
    bool regularExpression = false;  // what is Perl's regular expression, else plain text
    bool wholeWord = false;          // a match begins and ends at a word's edge
};

struct SourceMatches {
    std::vector<TextRange> ranges;  // in the order of the text, at most the maximum asked for
    bool more = false;              // there are more matches than the maximum
    // What the find bar says instead of a count, "" when the search could be made:
    // "Bad expression: " and why, or PatternSearch::kTooCostly. Then there is no match.
    std::string error;
};

// Finds what in text. A regular expression is PCRE's, as GLib knows it; a bad one gives
// its error and no match, and one whose search would cost more than a search of a page
// may (PatternSearch) stops and says so. An empty match is no match. Letters fold as
// Unicode in UTF-8 text, as ASCII in text that holds bytes that are not UTF-8.
SourceMatches FindInSource(std::string_view text, const std::string& what,
                           const SourceFindOptions& options, unsigned maxMatches);

}  // namespace quorvane
