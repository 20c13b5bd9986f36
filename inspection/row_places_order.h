#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quorvane {

// Sorts the places of a list's shown rows by compare(a, b), which answers -1, 0 or 1 as
// row a sorts before, with or after row b ascending. Rows that compare equal keep the
// order they were found in, whichever way the column is sorted, so that sorting back and
// forth never shuffles them.
template <typename Compare>
void SortPlaces(std::vector<std::size_t>& shown, bool ascending, Compare compare) {
    std::stable_sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) {
        const int order = compare(a, b);
        if (order != 0) {
            return ascending ? order < 0 : order > 0;
        }
        return a < b;
    });
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
template <typename Value>
int CompareValues(const Value& a, const Value& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace quorvane
