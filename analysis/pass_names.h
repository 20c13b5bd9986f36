#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/link_pass.h"

namespace quorvane {

// The distinct names of the linking passes in the order of their first passes, each with
// the passes that link it, in pass order.
struct Names {
    std::vector<std::string_view> distinct;
    std::vector<std::size_t> passes;     // pass numbers, grouped by name
    std::vector<std::size_t> firstPass;  // per distinct name, where its group begins; then the end

    std::span<const std::size_t> PassesOf(std::size_t name) const {
        return std::span(passes).subspan(firstPass[name], firstPass[name + 1] - firstPass[name]);
    }
};

// The names of passes, but for empty ones, which change nothing.
Names CollectNames(std::span<const LinkPass> passes);

}  // namespace quorvane
