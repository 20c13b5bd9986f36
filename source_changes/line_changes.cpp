#include "source_changes/line_changes.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "base/ascii.h"
#include "desktop/translation.h"

namespace quorvane {
namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && IsWhiteSpace(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && IsWhiteSpace(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

constexpr std::string_view kDoctypeStart = "<!doctype";

bool IsDoctype(std::string_view line) {
    return line.size() >= kDoctypeStart.size() &&
           EqualsNoCase(line.substr(0, kDoctypeStart.size()), kDoctypeStart);
}

// A doctype as the engine writes it back: the parser keeps neither the letter case of
// "<!DOCTYPE" and of the name nor the white space between them, so those never count.
// The identifiers, in quotes, are kept as they are.
std::string FoldedDoctype(std::string_view doctype) {
    std::string folded;
    folded.reserve(doctype.size());
    std::size_t at = 0;
    for (; at < doctype.size() && doctype[at] != '"' && doctype[at] != '\''; ++at) {
        if (doctype[at] == '>' && !folded.empty() && folded.back() == ' ') {
            folded.back() = '>';
        } else if (!IsWhiteSpace(doctype[at])) {
            folded += LowerAscii(doctype[at]);
        } else if (!folded.empty() && folded.back() != ' ') {
            folded += ' ';
        }
    }
    folded.append(doctype.substr(at));
    return folded;
}

// Each line as a number, the same for lines that are the same but for the white space at
// their edges (and a doctype's letter case): numbers compare at once, where lines would
// compare byte by byte.
class LineNumbering {
  public:
    std::vector<std::uint32_t> Number(const std::vector<std::string_view>& lines) {
        std::vector<std::uint32_t> numbers;
        numbers.reserve(lines.size());
        for (const std::string_view line : lines) {
            const auto [place, added] =
                numbers_.try_emplace(Key(line), static_cast<std::uint32_t>(numbers_.size()));
            numbers.push_back(place->second);
        }
        return numbers;
    }

    std::size_t Count() const { return numbers_.size(); }

  private:
    std::string_view Key(std::string_view line) {
        const std::string_view trimmed = Trimmed(line);
        if (!IsDoctype(trimmed)) {
            return trimmed;
        }
        return folded_.emplace_back(FoldedDoctype(trimmed));
    }

    std::deque<std::string> folded_;  // the keys of doctypes, which the map's views name
    std::unordered_map<std::string_view, std::uint32_t> numbers_;
};

std::string TooLargeWhy(std::string_view what) {
    return Translated(
        "The two texts are too large to compare ({1}): they are shown one after the other, "
        "without marks.",
        {what});
}

using Numbers = std::vector<std::uint32_t>;

// A line both texts have once, at a in the one and b in the other.
struct Anchor {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
};

// The lines each text has once, as many of them as come in the same order in both (the
// longest increasing run, by patience sorting). They split the texts into stretches that
// are compared on their own: a page whose script rewrote every other paragraph is a
// thousand small comparisons, where one would cost time in step with its lines times its
// changes.
std::vector<Anchor> UniqueAnchors(const Numbers& a, const Numbers& b, std::size_t numbers) {
    std::vector<std::uint32_t> inA(numbers);
    std::vector<std::uint32_t> inB(numbers);
    std::vector<std::uint32_t> whereInB(numbers);
    for (const std::uint32_t line : a) {
        ++inA[line];
    }
    for (std::uint32_t j = 0; j < b.size(); ++j) {
        ++inB[b[j]];
        whereInB[b[j]] = j;
    }
    std::vector<Anchor> candidates;
    for (std::uint32_t i = 0; i < a.size(); ++i) {
        if (inA[a[i]] == 1 && inB[a[i]] == 1) {
            candidates.push_back({i, whereInB[a[i]]});
        }
    }
    std::vector<std::size_t> tails;  // of each run's length, the candidate it ends with
    std::vector<std::ptrdiff_t> before(candidates.size(), -1);
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const auto place = std::ranges::lower_bound(
            tails, candidates[k].b, {}, [&](std::size_t tail) { return candidates[tail].b; });
        if (place != tails.begin()) {
            before[k] = static_cast<std::ptrdiff_t>(*std::prev(place));
        }
        if (place == tails.end()) {
            tails.push_back(k);
        } else {
            *place = k;
        }
    }
    std::vector<Anchor> anchors;
    for (auto k = tails.empty() ? -1 : static_cast<std::ptrdiff_t>(tails.back()); k >= 0;
         k = before[static_cast<std::size_t>(k)]) {
        anchors.push_back(candidates[static_cast<std::size_t>(k)]);
    }
    std::ranges::reverse(anchors);
    return anchors;
}

// Appends the changes of a[aFrom, aTo) against b[bFrom, bTo), from dtl's edit script;
// false when the stretch is beyond maxPairs.
bool CompareStretch(const Numbers& a, const Numbers& b, Anchor from, Anchor to,
                    std::uint64_t maxPairs, std::vector<LineChange>& changes) {
    const std::uint32_t aCount = to.a - from.a;
    const std::uint32_t bCount = to.b - from.b;
    if (aCount == 0 || bCount == 0) {
        if (aCount + bCount > 0) {
            changes.push_back({from.a, aCount, from.b, bCount});
        }
        return true;
    }
    if (std::uint64_t{aCount} * bCount > maxPairs) {
        return false;
    }
    dtl::Diff<std::uint32_t> diff(Numbers(a.begin() + from.a, a.begin() + to.a),
                                  Numbers(b.begin() + from.b, b.begin() + to.b));
    diff.compose();
    std::uint32_t aAt = from.a;
    std::uint32_t bAt = from.b;
    bool open = false;
    for (const auto& [line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON) {
            open = false;
            ++aAt;
            ++bAt;
            continue;
        }
        if (!open) {
            changes.push_back({aAt, 0, bAt, 0});
            open = true;
        }
        if (info.type == dtl::SES_DELETE) {
            ++changes.back().servedCount;
            ++aAt;
        } else {
            ++changes.back().liveCount;
            ++bAt;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\n' && text[at] != '\r') {
            continue;
        }
        lines.push_back(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
        start = at + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

LineComparison CompareLines(std::string_view served, std::string_view live,
                            const ChangeBounds& bounds) {
    if (served.size() > bounds.maxBytes || live.size() > bounds.maxBytes) {
        return {LineComparison::Outcome::TooLarge,
                {},
                TooLargeWhy(Translated("more than {1} bytes", {std::to_string(bounds.maxBytes)}))};
    }
    LineNumbering numbering;
    const Numbers a = numbering.Number(SplitLines(served));
    const Numbers b = numbering.Number(SplitLines(live));
    const auto shared = static_cast<std::uint32_t>(
        std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    const auto sharedEnd = static_cast<std::uint32_t>(
        std::mismatch(a.rbegin(), a.rend() - shared, b.rbegin(), b.rend() - shared).first -
        a.rbegin());
    const Anchor end{static_cast<std::uint32_t>(a.size()) - sharedEnd,
                     static_cast<std::uint32_t>(b.size()) - sharedEnd};
    const Numbers aMiddle(a.begin() + shared, a.begin() + end.a);
    const Numbers bMiddle(b.begin() + shared, b.begin() + end.b);
    LineComparison compared;
    Anchor from{shared, shared};
    std::vector<Anchor> stops;
    for (const Anchor& anchor : UniqueAnchors(aMiddle, bMiddle, numbering.Count())) {
        stops.push_back({anchor.a + shared, anchor.b + shared});
    }
    stops.push_back(end);
    for (const Anchor& stop : stops) {
        if (!CompareStretch(a, b, from, stop, bounds.maxLinePairs, compared.changes)) {
            return {LineComparison::Outcome::TooLarge,
                    {},
                    TooLargeWhy(Translated(
                        "{1} and {2} lines differ",
                        {std::to_string(stop.a - from.a), std::to_string(stop.b - from.b)}))};
        }
        from = {stop.a + 1, stop.b + 1};
    }
    return compared;
}

}  // namespace quorvane
