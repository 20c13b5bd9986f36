#include "inspection/shown_links.h"

#include <utility>

#include "inspection/shown_lines.h"

namespace quorvane {

ShownLinks::ShownLinks(std::shared_ptr<const std::string> text, std::vector<std::uint32_t> breaks,
                       std::stop_token stop)
    : text_(std::move(text)), breaks_(std::move(breaks)), hotspots_(*text_, std::move(stop)) {}

std::vector<TextRange> ShownLinks::Within(std::size_t begin, std::size_t end) const {
    std::vector<TextRange> shown;
    for (const TextRange& range :
         hotspots_.Within(SourcePosition(breaks_, begin), SourcePosition(breaks_, end))) {
        // The end is one past the last byte's place: a break right after the link is not
        // part of it.
        shown.push_back({static_cast<std::uint32_t>(ShownPosition(breaks_, range.begin)),
                         static_cast<std::uint32_t>(ShownPosition(breaks_, range.end - 1) + 1)});
    }
    return shown;
}

std::optional<ShownLink> ShownLinks::At(std::size_t shownPosition,
                                        std::string_view pageAddress) const {
    const std::optional<TextRange> hotspot = hotspots_.At(SourcePosition(breaks_, shownPosition));
    if (!hotspot) {
        return std::nullopt;
    }
    return ShownLink{HotspotTarget(*text_, hotspots_, *hotspot, pageAddress),
                     HotspotValue(*text_, *hotspot)};
}

}  // namespace quorvane
