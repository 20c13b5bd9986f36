#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "analysis/link_pass.h"

namespace quorvane {

// Which matches the linking passes replace in one text, as if the passes ran one after
// the other over it, each left to right without overlap.

// Every match of each pass in a text, as (pass, start).
using PassAndStart = std::vector<std::pair<std::size_t, std::size_t>>;

// A stretch of one text that a pass replaces.
struct Stretch {
    std::size_t start;
    std::size_t end;
    std::size_t pass;
};

// The replaced stretches of one text, in text order.
using Replaced = std::vector<Stretch>;

// What the passes replace in one text, given every match of each (pass, start): the
// matches in text order, each pass taking those that no earlier pass and none of its own
// before them took. Sorts passAndStart when two of its matches overlap.
Replaced ChooseMatches(PassAndStart& passAndStart, std::span<const LinkPass> passes);

}  // namespace quorvane
