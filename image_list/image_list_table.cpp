#include "image_list/image_list_table.h"

#include <utility>

#include "desktop/translation.h"
#include "image_list/image_audit.h"
#include "image_list/image_report.h"

namespace quorvane {
namespace {

std::string SizeText(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + " \u00D7 " + std::to_string(height);
}

// The address cut at a character, so that a data: address of a megabyte costs the
// table no more than a long address of the web.
std::string ShownAddress(const ImageRow& row) {
    if (row.address.size() <= kMaxShownAddress && !row.cut) {
        return row.address;
    }
    std::size_t end = std::min(row.address.size(), kMaxShownAddress);
    while (end > 0 && end < row.address.size() &&
           (static_cast<unsigned char>(row.address[end]) & 0xC0) == 0x80) {
        --end;
    }
    return row.address.substr(0, end) + "\u2026";
}

}  // namespace

ImageList ImageListTable::Clear() {
    ImageList before = std::exchange(list_, ImageList());
    auditText_.reset();
    filterTooCostly_ = false;
    LinesChanged();
    return before;
}

std::optional<std::vector<std::size_t>> ImageListTable::Accept(ImageReport report) {
    std::optional<std::vector<std::size_t>> changed = list_.Accept(std::move(report));
    auditText_.reset();
    // Unsorted and unfiltered, the lines are the rows in the list's order: a report adds
    // lines after them and changes the lines of the rows it added to, most of them not
    // on screen.
    if (!changed || sorted_ || !filter_.text.empty() || !filter_.type.empty() ||
        filter_.minimumWidth > 0 || filter_.minimumHeight > 0 || filter_.audit != ImageAudit::Any) {
        LinesChanged();
    } else {
        stale_ = true;
        RowsChanged(*changed);
    }
    return changed;
}

// The facts of thousands of files come one by one: they filter and sort the rows again
// only where the filter or the order reads them.
void ImageListTable::SetFacts(const std::string& address, ImageFacts facts) {
    const std::vector<std::size_t> changed = list_.SetFacts(address, std::move(facts));
    auditText_.reset();
    const bool orderReadsFacts =
        sorted_ && (column_ == ImageColumn::Bytes || column_ == ImageColumn::Type ||
                    column_ == ImageColumn::Findings);
    // Every finding but a missing alt reads the facts.
    const bool filterReadsFacts =
        !filter_.type.empty() ||
        (filter_.audit != ImageAudit::Any && filter_.audit != ImageAudit::WithoutAlt);
    if (orderReadsFacts || filterReadsFacts) {
        LinesChanged();
    } else {
        RowsChanged(changed);
    }
}

void ImageListTable::RowsChanged(const std::vector<std::size_t>& rows) {
    if (changes_.lines) {
        return;
    }
    changes_.rows.insert(changes_.rows.end(), rows.begin(), rows.end());
    // A row may change again and again: more changes than rows cost no less than
    // drawing every line.
    if (changes_.rows.size() > list_.Rows().size()) {
        changes_ = {true, {}};
    }
}

void ImageListTable::LinesChanged() {
    stale_ = true;
    changes_ = {true, {}};
}

ImageTableChanges ImageListTable::TakeChanges() {
    return std::exchange(changes_, {});
}

void ImageListTable::SetFilter(const ImageFilterSettings& settings) {
    filter_ = settings;
    filterTooCostly_ = false;
    LinesChanged();
}

void ImageListTable::SetScreenScale(double scale) {
    if (scale == screenScale_) {
        return;
    }
    screenScale_ = scale;
    auditText_.reset();
    LinesChanged();
}

void ImageListTable::SortBy(ImageColumn column, bool ascending) {
    column_ = column;
    ascending_ = ascending;
    sorted_ = true;
    LinesChanged();
}

const std::vector<std::size_t>& ImageListTable::Shown() const {
    if (stale_) {
        Update();
    }
    return shown_;
}

void ImageListTable::Update() const {
    stale_ = false;
    // A filter too costly for the page stays so while more of its rows come: trying it
    // again on each report would hold the window each time.
    if (!filterTooCostly_) {
        ImageRowFilter filter(filter_, screenScale_);
        shown_ = filter.Shown(list_.Rows());
        filterError_ = filter.Error();
        filterTooCostly_ = filter.TooCostly();
    }
    if (sorted_) {
        SortRows(list_.Rows(), shown_, column_, ascending_, screenScale_);
    }
}

std::string ImageListTable::CountText() const {
    const std::size_t shown = Shown().size();
    if (!filterError_.empty()) {
        return filterError_;
    }
    return ImageCountText(shown, list_.Rows().size(), list_.Stopped());
}

// The rows are counted again only when the view asks after a change: the facts of
// thousands of files come one by one, and the view asks a few times a second.
std::string ImageListTable::AuditText() const {
    if (!auditText_) {
        auditText_ = ImageAuditText(SumAudits(list_.Rows(), screenScale_));
    }
    return *auditText_;
}

std::string ImageCellText(const ImageRow& row, ImageColumn column, double screenScale) {
    switch (column) {
        case ImageColumn::Address:
            return ShownAddress(row);
        case ImageColumn::Kinds:
            return KindNames(row.kinds) + (row.descriptor.empty() ? "" : " " + row.descriptor);
        case ImageColumn::NaturalSize:
            return SizeText(row.naturalWidth, row.naturalHeight);
        case ImageColumn::ShownSize:
            return SizeText(row.shownWidth, row.shownHeight);
        case ImageColumn::Bytes:
            return row.bytes ? std::to_string(*row.bytes) +
                                   (row.sameBytes ? Translated(" (same as another)") : "")
                             : std::string();
        case ImageColumn::Type:
            return row.type;
        case ImageColumn::Text:
            return row.text;
        case ImageColumn::Uses:
            return std::to_string(row.uses);
        case ImageColumn::Findings:
            return ImageFindingsText(row, screenScale);
    }
    return {};
}

}  // namespace quorvane
