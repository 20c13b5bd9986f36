#include "analysis/file_name_linker.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "analysis/multi_pattern_search.h"

// Every anchor begins with "<" and ends with ">". A name holding neither can therefore
// never match across the edge of an anchor: each pass matches only inside a stretch of
// the original text that no earlier pass replaced, or inside one inserted anchor. So
// the passes are decided on the original text alone, each anchor is expanded once by
// the passes after its own (the same for every copy of it), and the text is written
// once at the end.

namespace quorvane {

namespace {

struct Names {
    std::vector<std::string> distinct;
    std::vector<std::size_t> ofPass;                     // pass -> distinct name
    std::vector<std::vector<std::size_t>> passesOfName;  // distinct name -> passes, in order
};

Names CollectNames(const std::vector<LinkPass>& passes) {
    Names names;
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t j = 0; j < passes.size(); ++j) {
        const auto [it, added] = index.try_emplace(passes[j].name, names.distinct.size());
        if (added) {
            names.distinct.push_back(passes[j].name);
            names.passesOfName.emplace_back();
        }
        names.ofPass.push_back(it->second);
        names.passesOfName[it->second].push_back(j);
    }
    return names;
}

// Replaced stretches of one text: start -> (end, pass).
using Replaced = std::map<std::size_t, std::pair<std::size_t, std::size_t>>;

bool IsFree(const Replaced& replaced, std::size_t start, std::size_t end) {
    auto after = replaced.lower_bound(end);
    if (after == replaced.begin()) {
        return true;
    }
    return std::prev(after)->second.first <= start;
}

// Runs the passes over one text, given each pass's candidate start positions in
// ascending order: left to right without overlap, skipping what earlier passes took.
Replaced ChooseMatches(const std::vector<std::pair<std::size_t, std::size_t>>& passAndStart,
                       const std::vector<LinkPass>& passes) {
    Replaced replaced;
    std::size_t currentPass = SIZE_MAX;
    std::size_t lastEnd = 0;
    for (const auto& [pass, start] : passAndStart) {
        if (pass != currentPass) {
            currentPass = pass;
            lastEnd = 0;
        }
        const std::size_t end = start + passes[pass].name.size();
        if (start >= lastEnd && IsFree(replaced, start, end)) {
            replaced.emplace(start, std::make_pair(end, pass));
            lastEnd = end;
        }
    }
    return replaced;
}

std::vector<std::pair<std::size_t, std::size_t>> Candidates(const std::string& text,
                                                            const MultiPatternSearch& search,
                                                            const Names& names,
                                                            std::size_t firstPass) {
    std::vector<std::pair<std::size_t, std::size_t>> passAndStart;
    search.ForEachMatch(text, [&](std::size_t name, std::size_t start) {
        for (const std::size_t pass : names.passesOfName[name]) {
            if (pass >= firstPass) {
                passAndStart.emplace_back(pass, start);
            }
        }
    });
    std::sort(passAndStart.begin(), passAndStart.end());
    return passAndStart;
}

std::string Expand(const std::string& text, const Replaced& replaced,
                   const std::vector<std::string>& expanded) {
    std::string result;
    std::size_t done = 0;
    for (const auto& [start, endAndPass] : replaced) {
        result.append(text, done, start - done);
        result.append(expanded[endAndPass.second]);
        done = endAndPass.first;
    }
    result.append(text, done);
    return result;
}

bool CanSkipAnchorEdges(const std::vector<LinkPass>& passes) {
    return std::none_of(passes.begin(), passes.end(), [](const LinkPass& pass) {
        return pass.name.empty() || pass.name.find_first_of("<>") != std::string::npos;
    });
}

}  // namespace

std::string LinkFileNames(const std::string& text, const std::vector<LinkPass>& passes) {
    if (!CanSkipAnchorEdges(passes)) {
        return LinkFileNamesPassByPass(text, passes);
    }
    const Names names = CollectNames(passes);
    const MultiPatternSearch search(names.distinct);
    // Each anchor as the passes after its own leave it; later ones are needed first.
    std::vector<std::string> expanded(passes.size());
    for (std::size_t j = passes.size(); j-- > 0;) {
        const std::string& anchor = passes[j].anchor;
        expanded[j] = Expand(
            anchor, ChooseMatches(Candidates(anchor, search, names, j + 1), passes), expanded);
    }
    return Expand(text, ChooseMatches(Candidates(text, search, names, 0), passes), expanded);
}

}  // namespace quorvane
