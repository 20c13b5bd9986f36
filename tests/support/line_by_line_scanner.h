#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "analysis/address_resolution.h"
#include "analysis/saturating_size.h"
#include "analysis/tag_line_scanner.h"
#include "analysis/text_file.h"
#include "analysis/url_helpers.h"
#include "base/ascii.h"
#include "base/text_search.h"

namespace quorvane {

// The rewriting passes give the result of exactly 100 passes; a pass that changes
// nothing means every later one would change nothing, so fewer may run.
inline constexpr int kTagLinePasses = 100;

// One rewriting pass: every keyword (any case) gets a CR LF in front and is lower-cased,
// then each CR LF CR LF becomes one CR LF, left to right.
inline std::string TagLinePass(std::string_view text, std::string_view keyword) {
    std::string lowered(keyword);
    for (char& c : lowered) {
        c = LowerAscii(c);
    }
    const std::string split = ReplaceAllNoCase(text, keyword, "\r\n" + lowered);
    return ReplaceAllExact(split, "\r\n\r\n", "\r\n");
}

// A pass gives the text back as it is when the text holds no CR LF CR LF and every
// keyword in it stands in lower case right after a CR LF: the CR LF the pass puts in
// front of each keyword then makes the only CR LF CR LF there is, which it makes one
// CR LF again at once. (A keyword begins with neither CR nor LF, so no other one can
// form.) Both are found without making the pass.
inline bool KeywordsInPlace(std::string_view text, std::string_view keyword) {
    for (std::size_t at = FindNoCase(text, keyword); at != std::string_view::npos;
         at = FindNoCase(text, keyword, at + keyword.size())) {
        const bool lower = std::equal(keyword.begin(), keyword.end(), text.begin() + at,
                                      [](char k, char c) { return LowerAscii(k) == c; });
        if (at < 2 || text.substr(at - 2, 2) != "\r\n" || !lower) {
            return false;
        }
    }
    return true;
}

// The text after the 100 passes, stopping as soon as a pass changes nothing. After a pass
// every keyword stands in lower case right after a CR LF (a keyword begins with a "<"
// found nowhere else in it, so no two copies overlap), and folding CR LF CR LF takes no
// other byte away: from then on only a CR LF CR LF left over can change the text.
inline std::string SplitIntoTagLines(std::string text, std::string_view keyword) {
    bool keywordsInPlace = false;
    for (int pass = 0; pass < kTagLinePasses; ++pass) {
        const bool holdsBlankLine = FindExact(text, "\r\n\r\n") != std::string_view::npos;
        if (!holdsBlankLine && (keywordsInPlace || KeywordsInPlace(text, keyword))) {
            break;
        }
        std::string next = TagLinePass(text, keyword);
        if (next == text) {
            break;
        }
        text = std::move(next);
        keywordsInPlace = true;
    }
    return text;
}

// A tag scan as the scanners describe it, step by step over the lines of each text,
// written as plainly as it can be: the reference that ScanTagLines must agree with.
inline TagScan ScanTagLinesLineByLine(std::string_view pageText, const std::string& pageAddress,
                                      const TagScanRules& rules, std::size_t maxBytes) {
    TagScan scan;
    std::string kept;
    for (const std::string& line : SplitLines(pageText)) {
        const std::string cleaned = ReplaceAllNoCase(line, rules.removedFromLines, {});
        if (ContainsNoCase(cleaned, rules.keyword)) {
            kept += cleaned + "\r\n";
        }
    }
    scan.tagLines = SplitIntoTagLines(kept, rules.keyword);
    for (const std::string& line : SplitLines(scan.tagLines)) {
        if (ContainsNoCase(line, rules.keyword)) {
            scan.keptLines += line + "\r\n";
        }
    }
    std::set<std::string> known;
    const ImageAddressResolver resolver(ScanBaseAddress(pageAddress));
    std::size_t bytes = 0;
    for (const std::string& line : SplitLines(scan.keptLines)) {
        std::string value;
        if (!CutTagValue(line, rules, value) || known.contains(GetUrlFileName(value))) {
            continue;
        }
        const std::string name = GetUrlFileName(value);
        const std::string link = resolver.Resolve(value);
        bytes = SaturatingAdd(bytes, link.size() + name.size());
        if (scan.names.size() == kMaxListEntries || bytes > maxBytes) {
            break;
        }
        scan.links.push_back(link);
        scan.names.push_back(name);
        known.insert(name);
    }
    return scan;
}

}  // namespace quorvane
