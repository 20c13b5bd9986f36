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

// The four lists together hold at most this many bytes of addresses and file names.
// Every entry is there to be shown: the Images page shows an image's address three
// times within its 64 MB, and the Source Code page puts an address in for every name
// it links, within 8 times the escaped text plus 16 MB, which stays below this bound
// for any page of up to 14 MB of escaped text. So the entries past it could never all
// be shown. Ordinary pages stay far below it (32 767 images with 2 KB addresses take
// 64 MB); only a huge page address times many relative images comes near it, such as
// a 100 KB address with 32 767 images, which would fill the lists with 3.2 GB.
inline constexpr std::size_t kMaxListBytes = 128 * 1024 * 1024;

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
