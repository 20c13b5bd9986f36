#pragma once

#include <cstddef>
#include <vector>

#include "image_list/image_list.h"

namespace quorvane {

// The columns of the Image List, in the order it shows them (the thumbnail is drawn in
// the first).
enum class ImageColumn {
    Address,
    Kinds,
    NaturalSize,
    ShownSize,
    Bytes,
    Type,
    Text,
    Uses,
    Findings,
};

// The places in rows of the rows to show, sorted by column: sizes by their area, then
// width; unknown bytes before any; texts by their bytes. Rows that compare equal keep
// the order they were found in, whichever way the column is sorted. Findings sort broken
// last, then oversized (by the bytes it would save), without alt text, duplicate; an
// oversized picture judged at screenScale.
void SortRows(const std::vector<ImageRow>& rows, std::vector<std::size_t>& shown,
              ImageColumn column, bool ascending, double screenScale = 1.0);

}  // namespace quorvane
