#include "source_changes/line_changes.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <unordered_map>

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

// Each line as a number, the same for lines that are the same but for the white space at
// their edges: numbers compare at once, where lines would compare byte by byte.
class LineNumbering {
  public:
    std::vector<std::uint32_t> Number(const std::vector<std::string_view>& lines) {
        std::vector<std::uint32_t> numbers;
        numbers.reserve(lines.size());
        for (const std::string_view line : lines) {
            const auto [place, added] =
                numbers_.try_emplace(Trimmed(line), static_cast<std::uint32_t>(numbers_.size()));
            numbers.push_back(place->second);
        }
        return numbers;
    }

  private:
    std::unordered_map<std::string_view, std::uint32_t> numbers_;
};

std::string TooLargeWhy(std::string_view what) {
    return "The two texts are too large to compare (" + std::string(what) +
           "): they are shown one after the other, without marks.";
}

// The changes of the stretch between the shared start and end, from the edit script.
std::vector<LineChange> ChangesOf(const std::vector<std::uint32_t>& served,
                                  const std::vector<std::uint32_t>& live, std::uint32_t first) {
    dtl::Diff<std::uint32_t> diff(served, live);
    diff.compose();
    std::vector<LineChange> changes;
    std::uint32_t servedAt = first;
    std::uint32_t liveAt = first;
    bool open = false;
    for (const auto& [line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON) {
            open = false;
            ++servedAt;
            ++liveAt;
            continue;
        }
        if (!open) {
            changes.push_back({servedAt, 0, liveAt, 0});
            open = true;
        }
        if (info.type == dtl::SES_DELETE) {
            ++changes.back().servedCount;
            ++servedAt;
        } else {
            ++changes.back().liveCount;
            ++liveAt;
        }
    }
    return changes;
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
                TooLargeWhy("more than " + std::to_string(bounds.maxBytes) + " bytes")};
    }
    LineNumbering numbering;
    std::vector<std::uint32_t> a = numbering.Number(SplitLines(served));
    std::vector<std::uint32_t> b = numbering.Number(SplitLines(live));
    const auto shared = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    const auto sharedEnd = static_cast<std::size_t>(
        std::mismatch(a.rbegin(), a.rend() - static_cast<std::ptrdiff_t>(shared), b.rbegin(),
                      b.rend() - static_cast<std::ptrdiff_t>(shared))
            .first -
        a.rbegin());
    a = std::vector<std::uint32_t>(a.begin() + static_cast<std::ptrdiff_t>(shared),
                                   a.end() - static_cast<std::ptrdiff_t>(sharedEnd));
    b = std::vector<std::uint32_t>(b.begin() + static_cast<std::ptrdiff_t>(shared),
                                   b.end() - static_cast<std::ptrdiff_t>(sharedEnd));
    if (std::uint64_t{a.size()} * b.size() > bounds.maxLinePairs) {
        return {LineComparison::Outcome::TooLarge,
                {},
                TooLargeWhy(std::to_string(a.size()) + " and " + std::to_string(b.size()) +
                            " lines differ")};
    }
    const auto first = static_cast<std::uint32_t>(shared);
    if (a.empty() || b.empty()) {
        if (a.empty() && b.empty()) {
            return {};
        }
        return {LineComparison::Outcome::Compared,
                {{first, static_cast<std::uint32_t>(a.size()), first,
                  static_cast<std::uint32_t>(b.size())}},
                {}};
    }
    return {LineComparison::Outcome::Compared, ChangesOf(a, b, first), {}};
}

}  // namespace quorvane
