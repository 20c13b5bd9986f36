#include "analysis/file_name_linker.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <span>

#include "analysis/file_name_search.h"
#include "analysis/html_escape.h"
#include "analysis/saturating_size.h"
#include "analysis/text_search.h"

// Every anchor begins with "<" and ends with ">". A name that cannot hold an anchor's
// first byte after its own first byte, nor an anchor's last byte before its own last
// byte, can therefore never match across the edge of an anchor: each pass matches
// only inside a stretch of the text that no earlier pass replaced, or inside one
// inserted anchor. So the passes are decided on the text they start from alone, each
// anchor is rewritten the same way by the passes after its own (for every copy of it),
// and the text is written once at the end.
//
// A pass also never changes what the passes before it chose, so the passes can be
// weighed one at a time, in order: pass k puts its anchor at every copy of its name,
// and there are as many copies as its matches in the text plus, for each earlier
// anchor, its matches there times that anchor's copies. Those counts give the size of
// the text after each pass before any of it is built.
//
// The rare name that could reach across an edge runs as one pass over the text as the
// passes before it left it; the passes between two such names still run together.

namespace quorvane {

namespace {

// The distinct names in the order of their first passes, each with the passes that link
// it, in pass order.
struct Names {
    std::vector<std::string_view> distinct;
    std::vector<std::size_t> passes;     // pass numbers, grouped by name
    std::vector<std::size_t> firstPass;  // per distinct name, where its group begins; then the end

    std::span<const std::size_t> PassesOf(std::size_t name) const {
        return std::span(passes).subspan(firstPass[name], firstPass[name + 1] - firstPass[name]);
    }
};

// Which distinct name each pass links (SIZE_MAX for an empty one, which changes nothing
// and which the search takes no pattern for), through a table of the names found so far:
// at most half its slots are used, so a look-up soon meets an empty one.
std::vector<std::size_t> NumberNames(std::span<const LinkPass> passes,
                                     std::vector<std::string_view>& distinct) {
    std::vector<std::size_t> slots(std::bit_ceil(2 * passes.size() + 2), SIZE_MAX);
    const std::size_t mask = slots.size() - 1;
    std::vector<std::size_t> numbers(passes.size(), SIZE_MAX);
    for (std::size_t j = 0; j < passes.size(); ++j) {
        const std::string_view name = passes[j].name;
        if (name.empty()) {
            continue;
        }
        std::size_t slot = std::hash<std::string_view>{}(name)&mask;
        while (slots[slot] != SIZE_MAX && distinct[slots[slot]] != name) {
            slot = (slot + 1) & mask;
        }
        if (slots[slot] == SIZE_MAX) {
            slots[slot] = distinct.size();
            distinct.push_back(name);
        }
        numbers[j] = slots[slot];
    }
    return numbers;
}

// The passes grouped by name by counting each name's passes first.
Names CollectNames(std::span<const LinkPass> passes) {
    Names names;
    const std::vector<std::size_t> numbers = NumberNames(passes, names.distinct);
    names.firstPass.assign(names.distinct.size() + 1, 0);
    for (const std::size_t number : numbers) {
        if (number != SIZE_MAX) {
            ++names.firstPass[number + 1];
        }
    }
    std::partial_sum(names.firstPass.begin(), names.firstPass.end(), names.firstPass.begin());
    std::vector<std::size_t> next(names.firstPass.begin(), names.firstPass.end() - 1);
    names.passes.resize(names.firstPass.back());
    for (std::size_t j = 0; j < numbers.size(); ++j) {
        if (numbers[j] != SIZE_MAX) {
            names.passes[next[numbers[j]]++] = j;
        }
    }
    return names;
}

using PassAndStart = std::vector<std::pair<std::size_t, std::size_t>>;

// A stretch of one text that a pass replaces.
struct Stretch {
    std::size_t start;
    std::size_t end;
    std::size_t pass;
};

// The replaced stretches of one text, in text order.
using Replaced = std::vector<Stretch>;

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

// What the passes replace in one text, given every match of each (pass, start). On
// nearly every page no two matches overlap, and then each pass takes all of its own.
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

// How many matches the passes may choose among in one text at once: far more than any
// page's names find, and few enough that held they cost a few times the text.
std::size_t MostMatches(std::size_t textSize) {
    return textSize / 4 + 4096;
}

// Each match of a pass from firstPass on in text, as (pass, start), but for the names
// marked in leftOut; false when there are more than MostMatches.
bool Candidates(std::string_view text, FileNameSearch& search, const Names& names,
                std::size_t firstPass, PassAndStart& found, const std::vector<bool>& leftOut = {}) {
    found.clear();
    const std::size_t most = MostMatches(text.size());
    return search.ForEachMatch(text, most, [&](std::size_t name, std::size_t start) {
        if (name < leftOut.size() && leftOut[name]) {
            return;
        }
        for (const std::size_t pass : names.PassesOf(name)) {
            if (pass >= firstPass) {
                found.emplace_back(pass, start);
            }
        }
    }) && found.size() <= most;
}

// The anchors the text will hold, each with what the passes after its own replace in
// it, and how many passes run before the text would grow past its largest size.
void AppendAnchor(std::string& out, const LinkPass& pass) {
    out.append("<a href='");
    AppendLinkedAddress(out, pass.address);
    out.append("'>");
    AppendInsertedText(out, pass.name);
    out.append("</a>");
}

// The anchors lie one after another in one text, which thousands of them fill without a
// string each.
struct Plan {
    struct Anchor {
        std::size_t start = 0;  // in anchorTexts
        std::size_t size = 0;
        Replaced replaced;
    };
    std::string anchorTexts;
    std::vector<Anchor> anchors;  // by pass; empty for a pass that finds nothing
    std::size_t passesRun = 0;
    std::size_t size = 0;

    std::string_view TextOf(const Anchor& anchor) const {
        return std::string_view(anchorTexts).substr(anchor.start, anchor.size);
    }
};

std::optional<Plan> PlanPasses(std::size_t textSize, const Replaced& inText,
                               std::span<const LinkPass> passes, FileNameSearch& search,
                               const Names& names, std::size_t maxSize) {
    Plan plan{std::string(), std::vector<Plan::Anchor>(passes.size()), passes.size(), textSize};
    std::vector<std::size_t> copies(passes.size());  // of each pass's anchor in the text
    PassAndStart found;
    for (const Stretch& stretch : inText) {
        ++copies[stretch.pass];
    }
    for (std::size_t k = 0; k < passes.size(); ++k) {
        if (copies[k] == 0) {
            continue;
        }
        const std::size_t start = plan.anchorTexts.size();
        AppendAnchor(plan.anchorTexts, passes[k]);
        const std::string_view anchor = std::string_view(plan.anchorTexts).substr(start);
        const std::size_t growth =
            SaturatingMultiply(copies[k], anchor.size() - passes[k].name.size());
        if (SaturatingAdd(plan.size, growth) > maxSize) {
            plan.passesRun = k;
            break;
        }
        plan.size += growth;
        if (!Candidates(anchor, search, names, k + 1, found)) {
            return std::nullopt;
        }
        Replaced replaced = ChooseMatches(found, passes);
        for (const Stretch& stretch : replaced) {
            copies[stretch.pass] = SaturatingAdd(copies[stretch.pass], copies[k]);
        }
        plan.anchors[k] = {start, anchor.size(), std::move(replaced)};
    }
    return plan;
}

void AppendAsItIs(std::string& out, std::string_view text) {
    out.append(text);
}

// Writes the text, rewritten by appendText, with each stretch of a pass that ran replaced
// by that pass's anchor, itself written as it is in the same way. Anchors nest as deep as
// there are passes, so the nesting is kept on a stack of its own rather than on the call
// stack.
std::string Write(std::string_view text, const Rewriting& rewriting, const Replaced& inText,
                  const Plan& plan) {
    struct Frame {
        std::string_view text;
        decltype(Rewriting::append) append;
        const Replaced* replaced;
        Replaced::const_iterator next;
        std::size_t done;
    };
    std::string result;
    result.reserve(plan.size);
    std::vector<Frame> stack{{text, rewriting.append, &inText, inText.begin(), 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        while (frame.next != frame.replaced->end() && frame.next->pass >= plan.passesRun) {
            ++frame.next;
        }
        if (frame.next == frame.replaced->end()) {
            frame.append(result, frame.text.substr(frame.done));
            stack.pop_back();
            continue;
        }
        const Stretch stretch = *frame.next++;
        frame.append(result, frame.text.substr(frame.done, stretch.start - frame.done));
        frame.done = stretch.end;
        const Plan::Anchor& anchor = plan.anchors[stretch.pass];
        stack.push_back(
            {plan.TextOf(anchor), AppendAsItIs, &anchor.replaced, anchor.replaced.begin(), 0});
    }
    return result;
}

// Passes whose names cannot reach across an anchor's edge, all at once, over text as
// rewritten.
std::optional<LinkedText> LinkTogether(std::string_view text, const Rewriting& rewriting,
                                       std::span<const LinkPass> passes, std::size_t maxSize) {
    const Names names = CollectNames(passes);
    FileNameSearch search(names.distinct);
    std::vector<bool> leftOut;
    if (rewriting.matchesNowhere != nullptr) {
        for (const std::string_view name : names.distinct) {
            leftOut.push_back(rewriting.matchesNowhere(name));
        }
    }
    PassAndStart found;
    if (!Candidates(text, search, names, 0, found, leftOut)) {
        return std::nullopt;
    }
    const Replaced inText = ChooseMatches(found, passes);
    const std::optional<Plan> plan =
        PlanPasses(rewriting.size, inText, passes, search, names, maxSize);
    if (!plan) {
        return std::nullopt;
    }
    return LinkedText{Write(text, rewriting, inText, *plan), plan->passesRun};
}

// One pass over the whole text; false when it would grow the text past maxSize.
bool LinkAlone(std::string& text, const LinkPass& pass, std::size_t maxSize) {
    std::vector<std::size_t> starts;
    for (std::size_t at = FindExact(text, pass.name); at != std::string::npos;
         at = FindExact(text, pass.name, at + pass.name.size())) {
        starts.push_back(at);
    }
    if (starts.empty()) {
        return true;
    }
    const std::string anchor = AnchorFor(pass);
    const std::size_t growth = SaturatingMultiply(starts.size(), anchor.size() - pass.name.size());
    if (SaturatingAdd(text.size(), growth) > maxSize) {
        return false;
    }
    std::string linked;
    linked.reserve(text.size() + growth);
    std::size_t copied = 0;
    for (const std::size_t start : starts) {
        linked.append(text, copied, start - copied).append(anchor);
        copied = start + pass.name.size();
    }
    text = std::move(linked.append(text, copied));
    return true;
}

}  // namespace

std::string AnchorFor(const LinkPass& pass) {
    std::string anchor;
    anchor.reserve(pass.address.size() + pass.name.size() + 15);  // grows only for escapes
    AppendAnchor(anchor, pass);
    return anchor;
}

// Passes between two names that must run alone run together, in as few runs as keep
// their matches within what one run may hold; a run of one pass is a pass on its own.
LinkedText LinkFileNames(std::string text, const std::vector<LinkPass>& passes,
                         std::size_t maxSize) {
    const auto alone = [](const LinkPass& pass) {
        return !pass.name.empty() && CanReachAcrossAnAnchorEdge(pass.name);
    };
    std::size_t done = 0;
    std::size_t most = passes.size();  // passes to try together
    while (done < passes.size()) {
        const auto first = passes.begin() + static_cast<std::ptrdiff_t>(done);
        const auto next = std::find_if(first, passes.end(), alone);
        const std::size_t together = std::min(most, static_cast<std::size_t>(next - first));
        if (together <= 1) {
            if (!first->name.empty() && !LinkAlone(text, *first, maxSize)) {
                return {std::move(text), done};
            }
            ++done;
            most = passes.size();
            continue;
        }
        std::optional<LinkedText> linked = LinkTogether(
            text, {AppendAsItIs, text.size()}, std::span(passes).subspan(done, together), maxSize);
        if (!linked) {
            most = together / 2;
            continue;
        }
        text = std::move(linked->text);
        if (linked->passesRun < together) {
            return {std::move(text), done + linked->passesRun};
        }
        done += together;
        most = passes.size();
    }
    return {std::move(text), passes.size()};
}

std::optional<LinkedText> LinkFileNamesRewriting(std::string_view text, const Rewriting& rewriting,
                                                 const std::vector<LinkPass>& passes,
                                                 std::size_t maxSize) {
    return LinkTogether(text, rewriting, passes, maxSize);
}

}  // namespace quorvane
