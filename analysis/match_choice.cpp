#include "analysis/match_choice.h"

#include <algorithm>
#include <map>

namespace quorvane {

namespace {

// Start -> (end, pass), while the passes choose among overlapping matches.
using Taken = std::map<std::size_t, std::pair<std::size_t, std::size_t>>;

bool IsFree(const Taken& taken, std::size_t start, std::size_t end) {
    auto after = taken.lower_bound(end);
    if (after == taken.begin()) {
        return true;
    }
    return std::prev(after)->second.first <= start;
}

// Runs the passes over one text, given the candidates sorted by pass, then start: left
// to right without overlap, skipping what earlier passes took.
Replaced ChooseAmongOverlaps(PassAndStart& passAndStart, std::span<const LinkPass> passes) {
    std::sort(passAndStart.begin(), passAndStart.end());
    Taken taken;
    std::size_t currentPass = SIZE_MAX;
    std::size_t lastEnd = 0;
    for (const auto& [pass, start] : passAndStart) {
        if (pass != currentPass) {
            currentPass = pass;
            lastEnd = 0;
        }
        const std::size_t end = start + passes[pass].name.size();
        if (start >= lastEnd && IsFree(taken, start, end)) {
            taken.emplace(start, std::make_pair(end, pass));
            lastEnd = end;
        }
    }
    Replaced replaced;
    replaced.reserve(taken.size());
    for (const auto& [start, endAndPass] : taken) {
        replaced.push_back({start, endAndPass.first, endAndPass.second});
    }
    return replaced;
}

}  // namespace

// On nearly every page no two matches overlap, and then each pass takes all of its own.
Replaced ChooseMatches(PassAndStart& passAndStart, std::span<const LinkPass> passes) {
    Replaced all;
    all.reserve(passAndStart.size());
    for (const auto& [pass, start] : passAndStart) {
        all.push_back({start, start + passes[pass].name.size(), pass});
    }
    // Matches come in the order of their ends, which is already the order of their starts
    // where none overlaps another.
    const auto before = [](const Stretch& a, const Stretch& b) {
        return a.start < b.start || (a.start == b.start && a.pass < b.pass);
    };
    if (!std::is_sorted(all.begin(), all.end(), before)) {
        std::sort(all.begin(), all.end(), before);
    }
    const auto overlap = [](const Stretch& a, const Stretch& b) { return b.start < a.end; };
    if (std::adjacent_find(all.begin(), all.end(), overlap) == all.end()) {
        return all;
    }
    return ChooseAmongOverlaps(passAndStart, passes);
}

}  // namespace quorvane
