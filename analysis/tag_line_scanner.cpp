#include "analysis/tag_line_scanner.h"

#include <algorithm>
#include <cstring>

#include "analysis/address_resolution.h"
#include "analysis/recorded_names.h"
#include "analysis/saturating_size.h"
#include "analysis/text_file.h"
#include "analysis/url_helpers.h"
#include "base/text_search.h"

namespace quorvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Where the line holding at begins, given the line start from at or before it.
std::size_t LineStartOf(std::string_view text, std::size_t from, std::size_t at) {
    const void* cr = ::memrchr(text.data() + from, '\r', at - from);
    if (cr == nullptr) {
        return from;
    }
    std::size_t start = static_cast<std::size_t>(static_cast<const char*>(cr) - text.data()) + 1;
    return start < text.size() && text[start] == '\n' ? start + 1 : start;
}

// Calls kept(line, at, next) for each line of text that holds keyword once every removed is
// cut from it, the line so cut, with where the keyword first stands in it; next(from) gives
// where it next stands in the line at or after from (npos: nowhere). A line where neither
// occurs is never kept, so the searches for them skip such lines without cutting the text into
// lines.
template <typename Kept>
void ForEachKeptLine(std::string_view text, std::string_view keyword, std::string_view removed,
                     Kept&& kept) {
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t nextKeyword = FindNoCase(text, keyword);
    std::size_t nextRemoved = removed.empty() ? kNone : FindNoCase(text, removed);
    for (std::size_t start = 0; start < text.size();) {
        if (nextKeyword < start) {
            nextKeyword = FindNoCase(text, keyword, start);
        }
        if (nextRemoved < start) {
            nextRemoved = FindNoCase(text, removed, start);
        }
        const std::size_t hit = std::min(nextKeyword, nextRemoved);
        if (hit == kNone) {
            break;
        }
        start = LineStartOf(text, start, hit);
        const LineEnd end = EndOfLine(text, start);
        const std::string_view line = text.substr(start, end.end - start);
        // Neither keyword nor removed holds a CR, so the next of each found from the line's
        // start lies on the line exactly when it begins before the line's end.
        if (nextRemoved >= end.end) {
            // The search for the keyword's next copy on the line goes on in the text, so the
            // one it finds past the line is the next kept line's, found once.
            const auto nextOnLine = [&](std::size_t from) {
                nextKeyword = FindNoCase(text, keyword, start + from);
                return nextKeyword < end.end ? nextKeyword - start : kNone;
            };
            if (nextKeyword < end.end) {
                kept(line, nextKeyword - start, nextOnLine);
            }
        } else if (const std::string cleaned = ReplaceAllNoCase(line, removed, {});
                   ContainsNoCase(cleaned, keyword)) {
            kept(std::string_view(cleaned), FindNoCase(cleaned, keyword),
                 [&](std::size_t from) { return FindNoCase(cleaned, keyword, from); });
        }
        start = end.next;
    }
}

// What the rewriting passes make of the kept lines, made in one go. The kept lines hold
// no CR and none is empty, so the first pass gives the text every later one keeps: each
// keyword, lower-cased, begins a tag line that runs to the next keyword or to the end of
// its kept line, and the text before a kept line's first keyword stays a line of its own.
// A keyword that opens a kept line gets the line break it already has (the pass folds the
// CR LF it adds into that one), but the first kept line has none before it, so there the
// pass leaves an empty line. The tag lines are also the kept lines of the result: no
// other line of it holds the keyword. Gives how many there are.
template <typename NextKeyword>
std::size_t AppendTagLines(TagScan& scan, std::string_view line, std::size_t at, bool first,
                           std::string_view lowered, NextKeyword&& nextKeyword) {
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t tagLines = 0;
    if (at > 0 || first) {
        scan.tagLines.append(line.substr(0, at)).append(kCrLf);
    }
    while (at != kNone) {
        const std::size_t after = at + lowered.size();
        const std::size_t next = nextKeyword(after);
        const std::string_view rest = line.substr(after, next == kNone ? kNone : next - after);
        const std::size_t lineStart = scan.tagLines.size();
        scan.tagLines.append(lowered).append(rest).append(kCrLf);
        scan.keptLines.append(scan.tagLines, lineStart);
        at = next;
        ++tagLines;
    }
    return tagLines;
}

// Each extension begins with ".", so the extensions are tried only where one stands.
bool NamesAnImage(std::string_view line, const TagScanRules& rules) {
    if (rules.extensions.empty()) {
        return true;
    }
    for (std::size_t dot = line.find('.'); dot != std::string_view::npos;
         dot = line.find('.', dot + 1)) {
        const std::string_view rest = line.substr(dot);
        for (const std::string_view extension : rules.extensions) {
            if (EqualsNoCase(rest.substr(0, extension.size()), extension)) {
                return true;
            }
        }
    }
    return false;
}

// A tag line begins with its keyword, which is then seen at once.
bool HoldsKeyword(std::string_view line, std::string_view keyword) {
    return EqualsNoCase(line.substr(0, keyword.size()), keyword) || ContainsNoCase(line, keyword);
}

// From the text after the attribute to the bare value, single quotes counting as double
// ones: leading quotes go, the value ends before its closing quote or else with the first
// blank (a value with neither is empty). No quote is left inside: the value ends at the
// first one.
std::string_view BareValue(std::string_view l) {
    constexpr std::size_t kNone = std::string_view::npos;
    const auto quote = [](char c) { return c == '"' || c == '\''; };
    l.remove_prefix(
        static_cast<std::size_t>(std::find_if_not(l.begin(), l.end(), quote) - l.begin()));
    const std::size_t doubleQuote = l.find('"');
    const std::size_t closing = std::min(doubleQuote, l.substr(0, doubleQuote).find('\''));
    if (closing != kNone) {
        return l.substr(0, closing);
    }
    const std::size_t blank = l.find(' ');
    return blank == kNone ? std::string_view() : l.substr(0, blank + 1);
}

// The images of the kept lines in page order, each file name once, within maxBytes and
// kMaxListEntries. The duplicate test's set points at the names: a line gives one name
// at most, so names never grows past the room reserved here and its strings never move.
void FindImages(TagScan& scan, std::size_t lineCount, const std::string& pageAddress,
                const TagScanRules& rules, std::size_t maxBytes) {
    const std::string_view lines = scan.keptLines;
    const std::size_t room = std::min<std::size_t>(lineCount + 1, kMaxListEntries);
    scan.names.reserve(room);
    scan.links.reserve(room);
    RecordedNames known(room);
    const ImageAddressResolver resolver(ScanBaseAddress(pageAddress));
    std::size_t bytes = 0;
    std::string value;  // one buffer for every line's value
    // Each kept line ends with a CR LF and holds no other CR, so its end is its first CR.
    for (std::size_t start = 0, end = lines.find('\r'); end != std::string_view::npos;
         start = end + kCrLf.size(), end = lines.find('\r', start)) {
        const std::string_view line = lines.substr(start, end - start);
        if (!CutTagValue(line, rules, value)) {
            continue;
        }
        std::string name = GetUrlFileName(value);
        const std::size_t slot = known.SlotOf(name);
        if (known.Holds(slot)) {
            continue;
        }
        std::string link = resolver.Resolve(value);
        bytes = SaturatingAdd(bytes, link.size() + name.size());
        if (scan.names.size() == kMaxListEntries || bytes > maxBytes) {
            break;
        }
        scan.links.push_back(std::move(link));
        scan.names.push_back(std::move(name));
        known.Add(slot, scan.names.back());
    }
}

}  // namespace

// Each cut but the last only narrows the line, so the line is viewed until the value
// is copied out. Single quotes count as double ones in the last cut; no cut before it
// looks at quotes (the attribute holds none).
bool CutTagValue(std::string_view l, const TagScanRules& rules, std::string& value) {
    constexpr std::size_t kNone = std::string_view::npos;
    const std::size_t attribute = FindNoCase(l, rules.attribute);
    if (attribute == kNone || !HoldsKeyword(l, rules.keyword)) {
        return false;
    }
    std::size_t close = l.find('>');
    if ((rules.requiresClose && close == kNone) || !NamesAnImage(l, rules)) {
        return false;
    }
    // Cut from the attribute to the first ">" after it, without the attribute itself (the
    // first one in the line, found above): a ">" before the attribute does not count, and a
    // tag continued on the next line, with no ">" after it, keeps the whole rest. The text
    // so cut ends at its first ">", so no later cut at a ">" shortens it.
    if (close < attribute) {
        close = l.find('>', attribute);
    }
    const std::size_t from = attribute + rules.attribute.size();
    l = l.substr(from, close == kNone ? kNone : close + 1 - from);
    // Every "href=" goes before the value is taken. One lies either wholly inside the value
    // the text gives as it stands or wholly after it (it holds no quote or blank, where a
    // value ends), and one after it changes nothing: the text is cut only when that value
    // holds one.
    const std::string_view bare = BareValue(l);
    if (ContainsNoCase(bare, "href=")) {
        value.assign(BareValue(ReplaceAllNoCase(l, "href=", std::string_view())));
    } else {
        value.assign(bare);
    }
    return true;
}

// Each text is read back as the lines of the file it was written to. The CR LF the
// file holds after the text ends its last line, or opens an empty one, which no step
// keeps; so the lines of the text alone are the file's lines for every step.
TagScan ScanTagLines(std::string_view pageText, const std::string& pageAddress,
                     const TagScanRules& rules, std::size_t maxBytes) {
    TagScan scan;
    std::string lowered(rules.keyword);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
    std::size_t tagLines = 0;
    ForEachKeptLine(pageText, rules.keyword, rules.removedFromLines,
                    [&](std::string_view line, std::size_t at, auto&& next) {
                        tagLines += AppendTagLines(scan, line, at, tagLines == 0, lowered, next);
                    });
    FindImages(scan, tagLines, pageAddress, rules, maxBytes);
    return scan;
}

}  // namespace quorvane
