#pragma once

#include <cstdint>

namespace quorvane {

// A line of a text the "Original Source" view shows that only one of two compared texts
// has: the view marks it in its margin and colours it.
struct MarkedLine {
    enum class Side {
        Served,  // the page as served has it, the page as it is now not
        Live,    // the page as it is now has it, the page as served not
    };
    std::uint32_t line = 0;  // counted from 0, in the text as given to the view
    Side side = Side::Served;

    friend bool operator==(const MarkedLine&, const MarkedLine&) = default;
};

}  // namespace quorvane
