#include "image_list/image_row_order.h"

#include <cstdint>
#include <tuple>

#include "image_list/image_audit.h"
#include "inspection/row_places_order.h"

namespace quorvane {
namespace {

std::tuple<std::uint64_t, std::uint32_t> Area(std::uint32_t width, std::uint32_t height) {
    return {std::uint64_t{width} * height, width};
}

// A row's findings as the Findings column sorts them: the worst last, an oversized picture
// by the bytes it would save. Built of values, not of the cell's text, as a sort of tens of
// thousands of rows compares each many times.
std::tuple<bool, bool, std::uint64_t, bool, bool> Findings(const ImageRow& row, double scale) {
    return {IsBroken(row), IsOversized(row, scale), OversizedSaving(row, scale).value_or(0),
            IsWithoutAlt(row), IsDuplicate(row)};
}

// -1, 0 or 1 as a sorts before, with or after b by column, ascending.
int Compare(const ImageRow& a, const ImageRow& b, ImageColumn column, double screenScale) {
    switch (column) {
        case ImageColumn::Address:
            return CompareValues(a.address, b.address);
        case ImageColumn::Kinds:
            return CompareValues(KindNames(a.kinds), KindNames(b.kinds));
        case ImageColumn::NaturalSize:
            return CompareValues(Area(a.naturalWidth, a.naturalHeight),
                                 Area(b.naturalWidth, b.naturalHeight));
        case ImageColumn::ShownSize:
            return CompareValues(Area(a.shownWidth, a.shownHeight),
                                 Area(b.shownWidth, b.shownHeight));
        case ImageColumn::Bytes:
            return CompareValues(a.bytes, b.bytes);
        case ImageColumn::Type:
            return CompareValues(a.type, b.type);
        case ImageColumn::Text:
            return CompareValues(a.text, b.text);
        case ImageColumn::Uses:
            return CompareValues(a.uses, b.uses);
        case ImageColumn::Findings:
            return CompareValues(Findings(a, screenScale), Findings(b, screenScale));
    }
    return 0;
}

}  // namespace

void SortRows(const std::vector<ImageRow>& rows, std::vector<std::size_t>& shown,
              ImageColumn column, bool ascending, double screenScale) {
    SortPlaces(shown, ascending, [&](std::size_t a, std::size_t b) {
        return Compare(rows[a], rows[b], column, screenScale);
    });
}

}  // namespace quorvane
