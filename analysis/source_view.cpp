#include "analysis/source_view.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "analysis/anchor_edge.h"
#include "analysis/saturating_size.h"

namespace quorvane {

std::size_t MaxSourcePageSize(std::size_t escapedSize) {
    return SaturatingAdd(SaturatingMultiply(escapedSize, kSourcePageGrowth), kSourcePageHeadroom);
}

namespace {

// Eight bytes at a time: most of a page has no byte to escape, and a block without one
// is copied whole. The high bit of a byte of the mask is set when that byte is one to
// escape, exactly (no carry reaches the next byte).
constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7F;

constexpr std::uint64_t Marked(std::uint64_t block, char c) {
    const std::uint64_t x = block ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & kLows) + kLows) | x | kLows);
}

constexpr std::uint64_t EscapedBytes(std::uint64_t block) {
    return Marked(block, '<') | Marked(block, '\r') | Marked(block, '\n');
}

std::uint64_t Block(std::string_view body, std::size_t at) {
    std::uint64_t block;
    std::memcpy(&block, body.data() + at, sizeof block);
    return block;
}

std::size_t EscapedSize(std::string_view body) {
    std::size_t escaped = 0;
    std::size_t at = 0;
    for (; at + 8 <= body.size(); at += 8) {
        // Each marked byte's high bit, moved down to 1 and summed into the top byte.
        escaped += static_cast<std::size_t>(((EscapedBytes(Block(body, at)) >> 7) * kOnes) >> 56);
    }
    for (; at < body.size(); ++at) {
        escaped += EscapedBytes(static_cast<unsigned char>(body[at])) != 0 ? 1 : 0;
    }
    return body.size() + 3 * escaped;
}

// What each byte becomes, written four bytes at a time (a plain byte uses the first).
struct Replacement {
    char bytes[4];
    unsigned char size;
};

constexpr std::array<Replacement, 256> Replacements() {
    std::array<Replacement, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = {{static_cast<char>(c), 0, 0, 0}, 1};
    }
    table['<'] = {{'&', 'l', 't', ';'}, 4};
    table['\r'] = table['\n'] = {{'<', 'B', 'R', '>'}, 4};
    return table;
}

constexpr std::array<Replacement, 256> kReplacements = Replacements();

// Writes up to three bytes past the escaped byte, which the caller leaves room for.
char* EscapeByte(char c, char* out) {
    const Replacement& replacement = kReplacements[static_cast<unsigned char>(c)];
    std::memcpy(out, replacement.bytes, 4);
    return out + replacement.size;
}

// Escapes body into out, which has room for its escaped size and three bytes more.
char* EscapeInto(std::string_view body, char* out) {
    std::size_t at = 0;
    for (; at + 8 <= body.size(); at += 8) {
        const std::uint64_t block = Block(body, at);
        if (EscapedBytes(block) == 0) {
            std::memcpy(out, &block, sizeof block);
            out += sizeof block;
            continue;
        }
        for (std::size_t k = 0; k < 8; ++k) {
            out = EscapeByte(body[at + k], out);
        }
    }
    for (; at < body.size(); ++at) {
        out = EscapeByte(body[at], out);
    }
    return out;
}

// A part of the body escaped onto the end of out, through a buffer small enough to stay
// in the cache: the linker writes the page this way without an escaped copy of it all.
void AppendEscapedSource(std::string& out, std::string_view part) {
    constexpr std::size_t kChunk = 4096;
    char escaped[4 * kChunk + 3];
    for (std::size_t at = 0; at < part.size(); at += kChunk) {
        const char* end = EscapeInto(part.substr(at, kChunk), escaped);
        out.append(escaped, static_cast<std::size_t>(end - escaped));
    }
}

// Whether a name matches the escaped body exactly where it matches the body itself. A
// name that holds no byte the escapes write around a replaced byte, nor one they
// replace, can only match inside the replacements when it lies wholly within one.
bool MatchesAlikeEscaped(std::string_view name) {
    const auto special = [](char c) {
        return c == '&' || c == ';' || c == '<' || c == '>' || c == '\r' || c == '\n';
    };
    return std::none_of(name.begin(), name.end(), special) &&
           std::string_view("&lt;").find(name) == std::string_view::npos &&
           std::string_view("<BR>").find(name) == std::string_view::npos;
}

// Whether a name can match the escaped body nowhere: it holds a CR or an LF, which the
// escaped body has none of, or a "<" that does not go on as the only "<" there, that of
// "<BR>", goes on.
bool MatchesNowhereEscaped(std::string_view name) {
    constexpr std::string_view kBreak = "<BR>";
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (name[at] == '\r' || name[at] == '\n') {
            return true;
        }
        const std::string_view rest = name.substr(at);
        if (name[at] == '<' && !rest.starts_with(kBreak) && !kBreak.starts_with(rest)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string EscapeSourceText(std::string_view body) {
    const std::size_t size = EscapedSize(body);
    std::string text(size + 3, '\0');
    EscapeInto(body, text.data());
    text.resize(size);
    return text;
}

std::vector<LinkPass> LinkPasses(const AnalysisLists& lists) {
    std::vector<LinkPass> passes;
    for (const FoundImages* found : {&lists.imageLinks, &lists.imageTags}) {
        const std::vector<std::string>& names = found->fileNames;
        const std::vector<std::string>& links = found->addresses;
        for (std::size_t i = 0; i < names.size() && i < links.size(); ++i) {
            if (!names[i].empty()) {
                passes.push_back({names[i], links[i]});
            }
        }
    }
    return passes;
}

namespace {

// Nearly every page's names are plain file names, found in the body itself, or names
// that match only in inserted anchors; the escaped body is then never made whole: it is
// escaped part by part on the way out. Nothing when a name could match differently
// there, which costs the escaped copy.
std::optional<PlannedLinks> PlanEscaped(std::string_view body, std::size_t escapedSize,
                                        std::span<const LinkPass> passes, std::size_t maxSize) {
    bool foundInBody = true;
    bool someNowhere = false;
    for (const LinkPass& pass : passes) {
        if (!MatchesAlikeEscaped(pass.name)) {
            // A name that could reach into an anchor from the page around it must be
            // looked for in the text that holds them, a pass of its own.
            const bool nowhere =
                MatchesNowhereEscaped(pass.name) && !CanReachAcrossAnAnchorEdge(pass.name);
            foundInBody = foundInBody && nowhere;
            someNowhere = someNowhere || nowhere;
        }
    }
    if (!foundInBody) {
        return std::nullopt;
    }
    const Rewriting escaping{AppendEscapedSource, escapedSize,
                             someNowhere ? MatchesNowhereEscaped : nullptr};
    return PlanLinksRewriting(body, escaping, passes, maxSize);
}

}  // namespace

LinkedText LinkedSourceText(std::string_view body, const std::vector<LinkPass>& passes,
                            std::size_t maxSize) {
    const std::optional<PlannedLinks> planned =
        PlanEscaped(body, EscapedSize(body), passes, maxSize);
    if (planned) {
        return {planned->Text(), planned->PassesRun()};
    }
    return LinkFileNames(EscapeSourceText(body), passes, maxSize);
}

SourceViewPlan::SourceViewPlan(std::string_view body, const AnalysisLists& lists)
    : passes_(LinkPasses(lists)) {
    const std::size_t escapedSize = EscapedSize(body);
    const std::size_t maxSize = MaxSourcePageSize(escapedSize);
    planned_ = PlanEscaped(body, escapedSize, passes_, maxSize);
    if (!planned_) {
        linked_ = LinkFileNames(EscapeSourceText(body), passes_, maxSize);
    }
}

std::size_t SourceViewPlan::NamesLinked() const {
    return planned_ ? planned_->PassesRun() : linked_.passesRun;
}

void SourceViewPlan::WriteInPieces(const PieceWriter& write) const {
    if (planned_) {
        planned_->WriteInPieces(write);
    } else {
        write(linked_.text);
    }
}

SourceView SourceViewText(std::string_view body, const AnalysisLists& lists) {
    const SourceViewPlan plan(body, lists);
    SourceView view{std::string(), plan.NamesLinked(), plan.Names()};
    plan.WriteInPieces([&](std::string_view piece) { view.text += piece; });
    return view;
}

}  // namespace quorvane
