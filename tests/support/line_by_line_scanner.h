#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "analysis/address_resolution.h"
#include "analysis/saturating_size.h"
#include "analysis/tag_line_scanner.h"
#include "analysis/text_file.h"
#include "analysis/text_search.h"
#include "analysis/url_helpers.h"

namespace quorvane {

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
