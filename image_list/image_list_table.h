#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "image_list/image_list.h"
#include "image_list/image_row_filter.h"
#include "image_list/image_row_order.h"

namespace quorvane {

// What changed in an ImageListTable since its view last asked.
struct ImageTableChanges {
    // The lines shown changed (rows went, the filter or the order changed): every line is
    // drawn again.
    bool lines = false;
    // Else the places in the list of the rows whose cells changed or that came, each a
    // line of its own in the list's order.
    std::vector<std::size_t> rows;
};

// The Image List as its table shows it: the page's rows, the user's filter and sort, and
// the text of each cell. The table asks for the cells of the rows on screen only.
class ImageListTable {
  public:
    // A new page: no rows until its gatherer reports. Returns the list of the page before,
    // tens of thousands of rows that the caller may let go where it holds up no window.
    ImageList Clear();
    // As the list's Accept: the places of the rows the report made or added to, nullopt
    // when it made every row again.
    std::optional<std::vector<std::size_t>> Accept(ImageReport report);
    void SetFacts(const std::string& address, ImageFacts facts);

    void SetFilter(const ImageFilterSettings& settings);
    // The device pixels per CSS pixel of the screen the page is shown on, that an
    // oversized picture is judged at.
    void SetScreenScale(double scale);
    double ScreenScale() const { return screenScale_; }
    void SortBy(ImageColumn column, bool ascending);
    ImageColumn SortColumn() const { return column_; }
    bool SortAscending() const { return ascending_; }

    const ImageList& List() const { return list_; }
    // The rows shown, by their place in List().Rows(), in the order shown: filtered and
    // sorted when first asked for after a change, so that reports coming one after
    // another cost one sort.
    const std::vector<std::size_t>& Shown() const;
    const ImageRow& ShownRow(std::size_t line) const { return list_.Rows()[Shown()[line]]; }
    // "312 of 1 204 images", or why the filter's expression cannot be used.
    std::string CountText() const;
    // "3 broken, 12 oversized (1.4 MB), 7 without alt text" of every row; "" for none.
    std::string AuditText() const;
    // What changed since the last call: the facts of thousands of files come one by one,
    // and a view that draws again only the lines on screen whose cells changed draws
    // nothing for most of them.
    ImageTableChanges TakeChanges();

  private:
    void Update() const;
    // The rows shown, their number or their order changed.
    void LinesChanged();
    // Only the cells of rows (places in the list) changed.
    void RowsChanged(const std::vector<std::size_t>& rows);

    ImageList list_;
    ImageFilterSettings filter_;
    mutable std::string filterError_;
    mutable bool filterTooCostly_ = false;  // for this page's rows, until the filter changes
    double screenScale_ = 1.0;
    mutable std::optional<std::string> auditText_;  // until the rows or their facts change
    ImageColumn column_ = ImageColumn::Address;
    bool ascending_ = true;
    bool sorted_ = false;  // whether the user sorted: else the rows keep the found order
    mutable std::vector<std::size_t> shown_;
    mutable bool stale_ = false;
    ImageTableChanges changes_;
};

// What a cell of the table says: "800 × 600", "12 345" bytes, "img, css", an address up
// to kMaxShownAddress characters with "…" when longer or not whole, "broken, no alt text";
// an oversized picture judged at screenScale.
inline constexpr std::size_t kMaxShownAddress = 2000;
std::string ImageCellText(const ImageRow& row, ImageColumn column, double screenScale = 1.0);

}  // namespace quorvane
