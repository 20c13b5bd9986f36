#include "analysis/file_name_linker.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include "analysis/anchor_matches.h"
#include "analysis/file_name_search.h"
#include "analysis/html_escape.h"
#include "analysis/match_choice.h"
#include "analysis/pass_names.h"
#include "analysis/saturating_size.h"
#include "base/text_search.h"

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

void AppendAnchor(std::string& out, const LinkPass& pass) {
    out.append(kAnchorBeginning);
    AppendLinkedAddress(out, pass.address);
    out.append(kAnchorMiddle);
    AppendInsertedText(out, pass.name);
    out.append(kAnchorEnd);
}

std::size_t AnchorSize(const LinkPass& pass) {
    return kAnchorFrameSize + LinkedAddressSize(pass.address) + InsertedTextSize(pass.name);
}

// The anchors the text will hold, each with what the passes after its own replace in
// it, and how many passes run before the text would grow past its largest size. An
// anchor's text is made only as it is written: a page of thousands of images would
// otherwise hold them all at once.
struct Plan {
    struct Anchor {
        std::size_t size = 0;
        Replaced replaced;
    };
    std::vector<Anchor> anchors;  // by pass; empty for a pass that finds nothing
    std::size_t passesRun = 0;
    std::size_t size = 0;
};

// How many copies of each pass's anchor the text holds before any anchor is searched.
std::vector<std::size_t> CopiesInText(const Replaced& inText, std::size_t passes) {
    std::vector<std::size_t> copies(passes);
    for (const Stretch& stretch : inText) {
        ++copies[stretch.pass];
    }
    return copies;
}

std::optional<Plan> PlanPasses(std::size_t textSize, const Replaced& inText,
                               std::span<const LinkPass> passes, AnchorMatches& inAnchors,
                               std::size_t maxSize) {
    Plan plan{std::vector<Plan::Anchor>(passes.size()), passes.size(), textSize};
    // Of each pass's anchor in the text.
    std::vector<std::size_t> copies = CopiesInText(inText, passes.size());
    PassAndStart found;
    for (std::size_t k = 0; k < passes.size(); ++k) {
        if (copies[k] == 0) {
            continue;
        }
        const std::size_t size = AnchorSize(passes[k]);
        const std::size_t growth = SaturatingMultiply(copies[k], size - passes[k].name.size());
        if (SaturatingAdd(plan.size, growth) > maxSize) {
            plan.passesRun = k;
            break;
        }
        plan.size += growth;
        if (!inAnchors.Find(k, size, found)) {
            return std::nullopt;
        }
        Replaced replaced = ChooseMatches(found, passes);
        for (const Stretch& stretch : replaced) {
            copies[stretch.pass] = SaturatingAdd(copies[stretch.pass], copies[k]);
        }
        plan.anchors[k] = {size, std::move(replaced)};
    }
    return plan;
}

void AppendAsItIs(std::string& out, std::string_view text) {
    out.append(text);
}

// A part is appended a quarter piece at a time (which the source view's escapes make at
// most four times as long), so that the text held never grows past two pieces however
// long the part.
void AppendInPieces(PieceCollector& out, decltype(Rewriting::append) append,
                    std::string_view part) {
    constexpr std::size_t kPartAtATime = kTextPieceSize / 4;
    for (std::size_t at = 0; at < part.size(); at += kPartAtATime) {
        append(out.Text(), part.substr(at, kPartAtATime));
        out.HandOutIfFull();
    }
}

// Writes the text, rewritten by appendText, with each stretch of a pass that ran replaced
// by that pass's anchor, itself written as it is in the same way. Anchors nest as deep as
// there are passes, so the nesting is kept on a stack of its own rather than on the call
// stack. An anchor no larger than a piece with nothing replaced in it goes straight out;
// any other is made in the text kept for its depth, which no other frame uses while it
// is on the stack, and goes out as the text does.
void Write(std::string_view text, const Rewriting& rewriting, const Replaced& inText,
           std::span<const LinkPass> passes, const Plan& plan, PieceCollector& out) {
    struct Frame {
        std::string_view text;
        decltype(Rewriting::append) append;
        const Replaced* replaced;
        Replaced::const_iterator next;
        std::size_t done;
    };
    std::vector<Frame> stack{{text, rewriting.append, &inText, inText.begin(), 0}};
    std::deque<std::string> anchorTexts;  // by depth; a deque never moves them
    while (!stack.empty()) {
        Frame& frame = stack.back();
        while (frame.next != frame.replaced->end() && frame.next->pass >= plan.passesRun) {
            ++frame.next;
        }
        if (frame.next == frame.replaced->end()) {
            AppendInPieces(out, frame.append, frame.text.substr(frame.done));
            stack.pop_back();
            continue;
        }
        const Stretch stretch = *frame.next++;
        AppendInPieces(out, frame.append,
                       frame.text.substr(frame.done, stretch.start - frame.done));
        frame.done = stretch.end;
        const Plan::Anchor& anchor = plan.anchors[stretch.pass];
        if (anchor.replaced.empty() && anchor.size <= kTextPieceSize) {
            AppendAnchor(out.Text(), passes[stretch.pass]);
            out.HandOutIfFull();
            continue;
        }
        if (anchorTexts.size() < stack.size()) {
            anchorTexts.emplace_back();
        }
        std::string& anchorText = anchorTexts[stack.size() - 1];
        anchorText.clear();
        AppendAnchor(anchorText, passes[stretch.pass]);
        stack.push_back({anchorText, AppendAsItIs, &anchor.replaced, anchor.replaced.begin(), 0});
    }
}

}  // namespace

struct PlannedLinks::Decided {
    std::string_view text;
    Rewriting rewriting;
    std::span<const LinkPass> passes;
    Replaced inText;
    Plan plan;
};

PlannedLinks::PlannedLinks(std::unique_ptr<const Decided> decided) : decided_(std::move(decided)) {}
PlannedLinks::PlannedLinks(PlannedLinks&&) noexcept = default;
PlannedLinks& PlannedLinks::operator=(PlannedLinks&&) noexcept = default;
PlannedLinks::~PlannedLinks() = default;

std::size_t PlannedLinks::PassesRun() const {
    return decided_->plan.passesRun;
}

void PlannedLinks::WriteInPieces(const PieceWriter& write) const {
    PieceCollector out(write);
    Write(decided_->text, decided_->rewriting, decided_->inText, decided_->passes, decided_->plan,
          out);
    out.Finish();
}

std::string PlannedLinks::Text() const {
    std::string text;
    text.reserve(decided_->plan.size);
    WriteInPieces([&](std::string_view piece) { text += piece; });
    return text;
}

// Passes whose names cannot reach across an anchor's edge, all at once, over text as
// rewritten.
std::optional<PlannedLinks> PlanLinksRewriting(std::string_view text, const Rewriting& rewriting,
                                               std::span<const LinkPass> passes,
                                               std::size_t maxSize) {
    const Names names = CollectNames(passes);
    FileNameSearch search(names.distinct);
    std::vector<bool> leftOut;
    if (rewriting.matchesNowhere != nullptr) {
        for (const std::string_view name : names.distinct) {
            leftOut.push_back(rewriting.matchesNowhere(name));
        }
    }
    PassAndStart found;
    if (!Candidates(text, MostMatches(text.size()), search, names, 0, found, leftOut)) {
        return std::nullopt;
    }
    Replaced inText = ChooseMatches(found, passes);
    AnchorMatches inAnchors(search, names, found.size(), inText, leftOut, passes);
    std::optional<Plan> plan = PlanPasses(rewriting.size, inText, passes, inAnchors, maxSize);
    if (!plan) {
        return std::nullopt;
    }
    return PlannedLinks(std::make_unique<const PlannedLinks::Decided>(
        PlannedLinks::Decided{text, rewriting, passes, std::move(inText), std::move(*plan)}));
}

namespace {

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
        const std::optional<PlannedLinks> linked = PlanLinksRewriting(
            text, {AppendAsItIs, text.size()}, std::span(passes).subspan(done, together), maxSize);
        if (!linked) {
            most = together / 2;
            continue;
        }
        text = linked->Text();
        if (linked->PassesRun() < together) {
            return {std::move(text), done + linked->PassesRun()};
        }
        done += together;
        most = passes.size();
    }
    return {std::move(text), passes.size()};
}

}  // namespace quorvane
