#include "analysis/anchor_edge.h"

#include <cstddef>

namespace quorvane {

namespace {

// Every anchor begins "<a href='" and ends "</a>". A later anchor put over some of those
// bytes begins with "<" and ends with ">" in its turn, and a name that reaches into or
// out of the outer anchor there reaches into or out of the later one as well. So a name
// reaches into an anchor only through a "<" after its first byte from which the rest of
// the name reads as that beginning (as far as the beginning goes), and out of one only
// through a ">" before its last byte up to which the name reads as that end.
bool CouldBeginAnAnchor(std::string_view rest) {
    for (std::size_t k = 1; k < rest.size(); ++k) {
        if (k >= kAnchorBeginning.size()) {
            return true;
        }
        if (rest[k] != kAnchorBeginning[k]) {
            return false;
        }
    }
    return true;
}

bool CouldEndAnAnchor(std::string_view upTo) {
    for (std::size_t k = 1; k < upTo.size(); ++k) {
        const char c = upTo[upTo.size() - 1 - k];
        if (k >= kAnchorEnd.size()) {
            return true;
        }
        if (c != kAnchorEnd[kAnchorEnd.size() - 1 - k]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool CanReachAcrossAnAnchorEdge(std::string_view name) {
    for (std::size_t p = 0; p < name.size(); ++p) {
        if (name[p] == '<' && p > 0 && CouldBeginAnAnchor(name.substr(p))) {
            return true;
        }
        if (name[p] == '>' && p + 1 < name.size() && CouldEndAnAnchor(name.substr(0, p + 1))) {
            return true;
        }
    }
    return false;
}

}  // namespace quorvane
