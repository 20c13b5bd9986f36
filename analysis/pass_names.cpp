#include "analysis/pass_names.h"

#include <bit>
#include <functional>
#include <numeric>

namespace quorvane {

namespace {

// Which distinct name each pass links (SIZE_MAX for an empty one, which changes nothing
// and which the search takes no pattern for), through a table of the names found so far:
// at most half its slots are used, so a look-up soon meets an empty one.
std::vector<std::size_t> NumberNames(std::span<const LinkPass> passes,
                                     std::vector<std::string_view>& distinct) {
    std::vector<std::size_t> slots(std::bit_ceil(2 * passes.size() + 2), SIZE_MAX);
    const std::size_t mask = slots.size() - 1;
    std::vector<std::size_t> numbers(passes.size(), SIZE_MAX);
    for (std::size_t j = 0; j < passes.size(); ++j) {
        const std::string_view name = passes[j].name;
        if (name.empty()) {
            continue;
        }
        std::size_t slot = std::hash<std::string_view>{}(name)&mask;
        while (slots[slot] != SIZE_MAX && distinct[slots[slot]] != name) {
            slot = (slot + 1) & mask;
        }
        if (slots[slot] == SIZE_MAX) {
            slots[slot] = distinct.size();
            distinct.push_back(name);
        }
        numbers[j] = slots[slot];
    }
    return numbers;
}

}  // namespace

// The passes grouped by name by counting each name's passes first.
Names CollectNames(std::span<const LinkPass> passes) {
    Names names;
    const std::vector<std::size_t> numbers = NumberNames(passes, names.distinct);
    names.firstPass.assign(names.distinct.size() + 1, 0);
    for (const std::size_t number : numbers) {
        if (number != SIZE_MAX) {
            ++names.firstPass[number + 1];
        }
    }
    std::partial_sum(names.firstPass.begin(), names.firstPass.end(), names.firstPass.begin());
    std::vector<std::size_t> next(names.firstPass.begin(), names.firstPass.end() - 1);
    names.passes.resize(names.firstPass.back());
    for (std::size_t j = 0; j < numbers.size(); ++j) {
        if (numbers[j] != SIZE_MAX) {
            names.passes[next[numbers[j]]++] = j;
        }
    }
    return names;
}

}  // namespace quorvane
