#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "inspection/hotspots.h"

namespace quorvane {

// What a click on a link names: where it leads (nullopt for an address a source view
// does not follow) and its value as the page means it.
struct ShownLink {
    std::optional<std::string> target;
    std::string value;
};

// The links of a text as the viewer shows it, its long lines in pieces (BreakLongLines):
// they are found and decoded in the text itself, in positions of the shown one, so that
// a piece's edge inside an address ("&a" and "mp;" on two lines) changes no address.
class ShownLinks {
  public:
    // Scans text once (see Hotspots); breaks are those BreakLongLines put in. Once stop is
    // asked the scan ends early, and the links are those it found until then.
    ShownLinks(std::shared_ptr<const std::string> text, std::vector<std::uint32_t> breaks,
               std::stop_token stop = {});

    bool Empty() const { return hotspots_.Ranges().empty(); }
    // The stretches of the shown text the links cover that meet its [begin, end).
    std::vector<TextRange> Within(std::size_t begin, std::size_t end) const;
    // The link at a position of the shown text, read against the page's address.
    std::optional<ShownLink> At(std::size_t shownPosition, std::string_view pageAddress) const;

  private:
    std::shared_ptr<const std::string> text_;
    std::vector<std::uint32_t> breaks_;
    Hotspots hotspots_;
};

}  // namespace quorvane
