#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

struct MarkupToken;

// A stretch of the source text, in bytes.
struct TextRange {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    bool operator==(const TextRange&) const = default;
};

// The addresses in a page's source that lead somewhere: the value of every href and src
// attribute and every candidate of a srcset, quoted or not. Comments and the text of
// script, style, title and their like hold no tags, so an address there is none.
class Hotspots {
  public:
    // Scans text once, in time linear in its length; at most kMaxHotspots. Once stop is
    // asked the scan ends where it is, with the hotspots found until then.
    explicit Hotspots(std::string_view text, std::stop_token stop = {});

    // In the order of the text, none overlapping another.
    const std::vector<TextRange>& Ranges() const { return ranges_; }
    // The hotspot at position, if any.
    std::optional<TextRange> At(std::size_t position) const;
    // The hotspots that meet [begin, end).
    std::span<const TextRange> Within(std::size_t begin, std::size_t end) const;
    // The value of the page's first <base href>, which every address is read against.
    std::optional<TextRange> BaseHref() const { return baseHref_; }

  private:
    void AddTag(std::string_view text, const MarkupToken& token);
    void AddSrcsetCandidates(std::string_view text, std::size_t begin, std::size_t end);
    void Add(std::size_t begin, std::size_t end);

    std::vector<TextRange> ranges_;
    std::optional<TextRange> baseHref_;
};

// Where the hotspot of text leads: its value with its character references decoded,
// resolved against the page's <base href> (itself read against pageAddress), else
// against pageAddress. nullopt for an address a source view does not follow: only web
// addresses are followed, and file addresses from a page that is a local file itself.
std::optional<std::string> HotspotTarget(std::string_view text, const Hotspots& hotspots,
                                         TextRange hotspot, std::string_view pageAddress);
// The hotspot's value as the page means it, its character references decoded: what a
// click that is not followed names.
std::string HotspotValue(std::string_view text, TextRange hotspot);

}  // namespace quorvane
