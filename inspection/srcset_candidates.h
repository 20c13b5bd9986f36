#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One image candidate of a srcset attribute: "b.png 2x" of "a.png 1x, b.png 2x".
struct SrcsetCandidate {
    std::size_t urlBegin = 0;  // the place of its URL in the attribute's value
    std::size_t urlEnd = 0;
    // Its descriptors as the HTML standard cuts them, one space apart: "2x", "640w 480h",
    // "(a, b) 2x"; empty for none.
    std::string descriptors;
    // Its descriptors are valid, so a browser keeps it as an image source; then at most one
    // of width and density is there, and height only beside a width.
    bool imageSource = false;
    std::optional<std::uint64_t> width;   // "640w"
    std::optional<double> density;        // "1.5x"
    std::optional<std::uint64_t> height;  // "480h", which browsers read but do not use yet

    std::string_view Url(std::string_view value) const {
        return value.substr(urlBegin, urlEnd - urlBegin);
    }
};

// The candidates of a srcset attribute's value, in order, as the HTML standard's "parse a
// srcset attribute" reads them: the URLs and descriptors are cut where it cuts them (a
// comma inside parentheses ends nothing, commas at a URL's end end the candidate), and
// imageSource says whether its descriptor parser keeps the candidate. The candidates it
// drops are listed too, for a reader of the source, to whom their URLs are still addresses.
// Linear in the value's length.
std::vector<SrcsetCandidate> SrcsetCandidates(std::string_view value);

}  // namespace quorvane
