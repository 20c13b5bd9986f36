#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"

namespace quorvane {

// What tells the image tag scanner and the image link scanner apart; everything else
// they do is the same and lives in ScanTagLines.
struct TagScanRules {
    std::string_view keyword;                // the tag's start, any letter case: "<img" or "<a "
    std::string_view attribute;              // the attribute holding the address: "src=" or "href="
    std::string_view removedFromLines = {};  // cut from every page line first; may be empty
    bool requiresClose = false;              // the line must hold a ">"
    // The line must name one of these, each beginning with "."; empty: no test.
    std::vector<std::string_view> extensions = {};
};

// The value cut from one tag line by the fixed sequence of cuts, or false when the line
// is not a candidate.
bool CutTagValue(std::string_view line, const TagScanRules& rules, std::string& value);

// What a scanner makes of a page's text: the two texts it writes to
// checkImagesClean.txt, in order, and the images it found there, in page order.
struct TagScan {
    std::string tagLines;   // the kept page lines split into one line per tag
    std::string keptLines;  // of those, only the lines that hold the tag
    std::vector<std::string> links;
    std::vector<std::string> names;  // names[i] is the file name of links[i]
};

// Scans pageText (the content of checkImages.txt) with rules: the address of each
// image whose file name was not found before goes to links, its name to names, until
// the next one would take them past maxBytes or kMaxListEntries.
TagScan ScanTagLines(std::string_view pageText, const std::string& pageAddress,
                     const TagScanRules& rules, std::size_t maxBytes);

}  // namespace quorvane
