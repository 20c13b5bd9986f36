#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// What tells the image tag scanner and the image link scanner apart; everything else
// they do is the same and lives in ScanTagLines.
struct TagScanRules {
    std::string_view keyword;                // the tag's start, any letter case: "<img" or "<a "
    std::string_view attribute;              // the attribute holding the address: "src=" or "href="
    std::string_view removedFromLines = {};  // cut from every page line first; may be empty
    bool requiresClose = false;              // the line must hold a ">"
    std::vector<std::string_view> extensions = {};  // the line must name one; empty: no test
};

// Lists hold at most this many entries: their counts are 16-bit.
inline constexpr std::size_t kMaxListEntries = 32767;

// The rewriting passes give the result of exactly 100 passes; a pass that changes
// nothing means every later one would change nothing, so fewer may run.
inline constexpr int kTagLinePasses = 100;

// One rewriting pass: every keyword (any case) gets a CR LF in front and is lower-cased,
// then each CR LF CR LF becomes one CR LF, left to right.
std::string TagLinePass(std::string_view text, std::string_view keyword);

// The text after the 100 passes, stopping as soon as a pass changes nothing.
std::string SplitIntoTagLines(std::string text, std::string_view keyword);

// The value cut from one tag line by the fixed sequence of cuts, or false when the line
// is not a candidate.
bool CutTagValue(std::string line, const TagScanRules& rules, std::string& value);

// Scans programFolder's checkImages.txt with rules, rewriting checkImagesClean.txt, and
// appends each new image's address to links and its file name to names. Throws
// std::system_error when a work file cannot be read or written.
void ScanTagLines(const std::string& programFolder, const std::string& pageAddress,
                  const TagScanRules& rules, std::vector<std::string>& links,
                  std::vector<std::string>& names);

}  // namespace quorvane
