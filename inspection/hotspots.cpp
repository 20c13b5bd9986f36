#include "inspection/hotspots.h"

#include <algorithm>
#include <utility>

#include "base/address_scheme.h"
#include "base/ascii.h"
#include "engine/resolved_address.h"
#include "inspection/character_references.h"
#include "inspection/markup_tokens.h"
#include "inspection/served_source_limits.h"
#include "inspection/srcset_candidates.h"

namespace quorvane {
namespace {

// An address's value without the white space around it, as browsers read it.
TextRange Trimmed(std::string_view text, std::size_t begin, std::size_t end) {
    while (begin < end && IsMarkupSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsMarkupSpace(text[end - 1])) {
        --end;
    }
    return {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)};
}

// Browsers drop tabs and line breaks inside an address.
std::string WithoutTabsAndBreaks(std::string address) {
    std::erase_if(address, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
    return address;
}

std::string ValueAt(std::string_view text, TextRange range) {
    return WithoutTabsAndBreaks(
        DecodeCharacterReferences(text.substr(range.begin, range.end - range.begin)));
}

}  // namespace

Hotspots::Hotspots(std::string_view text, std::stop_token stop) {
    ForEachToken(
        text, [&](const MarkupToken& token) { AddTag(text, token); }, std::move(stop));
}

void Hotspots::AddTag(std::string_view text, const MarkupToken& token) {
    if (token.kind != TokenKind::StartTag || ranges_.size() >= kMaxHotspots) {
        return;
    }
    const bool isBase = EqualsNoCase(token.name, "base");
    ForEachAttribute(text, token, [&](const MarkupAttribute& attribute) {
        if (EqualsNoCase(attribute.name, "srcset")) {
            AddSrcsetCandidates(text, attribute.valueBegin, attribute.valueEnd);
            return;
        }
        if (!EqualsNoCase(attribute.name, "href") && !EqualsNoCase(attribute.name, "src")) {
            return;
        }
        const TextRange value = Trimmed(text, attribute.valueBegin, attribute.valueEnd);
        if (isBase && !baseHref_ && EqualsNoCase(attribute.name, "href")) {
            baseHref_ = value;
        }
        Add(value.begin, value.end);
    });
}

// Every candidate's URL is an address to a reader of the source, even one whose descriptors
// make a browser drop it.
void Hotspots::AddSrcsetCandidates(std::string_view text, std::size_t begin, std::size_t end) {
    for (const SrcsetCandidate& candidate : SrcsetCandidates(text.substr(begin, end - begin))) {
        Add(begin + candidate.urlBegin, begin + candidate.urlEnd);
    }
}

void Hotspots::Add(std::size_t begin, std::size_t end) {
    if (begin < end && ranges_.size() < kMaxHotspots) {
        ranges_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)});
    }
}

std::optional<TextRange> Hotspots::At(std::size_t position) const {
    const auto after =
        std::upper_bound(ranges_.begin(), ranges_.end(), position,
                         [](std::size_t at, const TextRange& range) { return at < range.begin; });
    if (after == ranges_.begin() || position >= std::prev(after)->end) {
        return std::nullopt;
    }
    return *std::prev(after);
}

std::span<const TextRange> Hotspots::Within(std::size_t begin, std::size_t end) const {
    const auto first =
        std::lower_bound(ranges_.begin(), ranges_.end(), begin,
                         [](const TextRange& range, std::size_t at) { return range.end <= at; });
    const auto last =
        std::lower_bound(first, ranges_.end(), end,
                         [](const TextRange& range, std::size_t at) { return range.begin < at; });
    return {first, last};
}

std::string HotspotValue(std::string_view text, TextRange hotspot) {
    return ValueAt(text, hotspot);
}

std::optional<std::string> HotspotTarget(std::string_view text, const Hotspots& hotspots,
                                         TextRange hotspot, std::string_view pageAddress) {
    std::string base(pageAddress);
    if (const std::optional<TextRange> baseHref = hotspots.BaseHref()) {
        base = ResolvedAddress(base, ValueAt(text, *baseHref)).value_or(base);
    }
    std::optional<std::string> target = ResolvedAddress(base, ValueAt(text, hotspot));
    if (!target) {
        return std::nullopt;
    }
    return OpensFromPage(*target, pageAddress) ? target : std::nullopt;
}

}  // namespace quorvane
