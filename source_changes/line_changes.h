#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inspection/served_source_limits.h"

namespace quorvane {

// A stretch where two texts differ: lines [servedFirst, servedFirst + servedCount) of the
// served text gave way to lines [liveFirst, liveFirst + liveCount) of the live one (lines
// counted from 0). Either count may be 0, not both.
struct LineChange {
    std::uint32_t servedFirst = 0;
    std::uint32_t servedCount = 0;
    std::uint32_t liveFirst = 0;
    std::uint32_t liveCount = 0;

    friend bool operator==(const LineChange&, const LineChange&) = default;
};

// How much two texts are compared at most. The lines the texts share at their start and
// at their end, and the lines each has once that come in the same order in both, cost
// next to nothing; the comparison of each stretch between them costs time in step with
// the product of its lines on each side, at worst, so that is what is bounded.
struct ChangeBounds {
    std::size_t maxBytes = kMaxServedSourceBytes;  // of each text
    std::uint64_t maxLinePairs = std::uint64_t{40'000} * 40'000;
};

struct LineComparison {
    enum class Outcome {
        Compared,
        TooLarge,  // beyond the bounds: no changes are known, why says so
    };
    Outcome outcome = Outcome::Compared;
    std::vector<LineChange> changes;  // in the order of the lines
    std::string why;                  // for TooLarge, a sentence for the user
};

// The text's lines, each without its end; a line ends at LF, CR LF or a lone CR, as the
// code viewer counts them. A text that ends with a line end has no empty last line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Compares served and live line by line. Lines that differ only in the white space at
// their start and end are the same line, so that re-indenting alone is no change; so are
// doctypes that differ only in the letter case and spacing the engine does not keep.
LineComparison CompareLines(std::string_view served, std::string_view live,
                            const ChangeBounds& bounds = {});

}  // namespace quorvane
