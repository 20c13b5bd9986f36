#include "image_list/image_row_filter.h"

#include "base/text_search.h"
#include "desktop/translation.h"

namespace quorvane {

ImageRowFilter::ImageRowFilter(const ImageFilterSettings& settings, double screenScale)
    : settings_(settings),
      screenScale_(screenScale),
      text_(std::make_unique<RowTextMatch>(settings.text, settings.regularExpression)) {}

ImageRowFilter::~ImageRowFilter() = default;

bool ImageRowFilter::Matches(const ImageRow& row) {
    if (!Error().empty()) {
        return false;
    }
    if (row.naturalWidth < settings_.minimumWidth || row.naturalHeight < settings_.minimumHeight) {
        return false;
    }
    if (!settings_.type.empty() && !ContainsNoCase(row.type, settings_.type)) {
        return false;
    }
    if (!HasFinding(row, settings_.audit, screenScale_)) {
        return false;
    }
    return text_->Matches(row.address);
}

std::string ImageRowFilter::Error() const {
    return text_->Error();
}

bool ImageRowFilter::TooCostly() const {
    return text_->TooCostly();
}

std::vector<std::size_t> ImageRowFilter::Shown(const std::vector<ImageRow>& rows) {
    std::vector<std::size_t> shown;
    shown.reserve(rows.size());
    for (std::size_t place = 0; place < rows.size(); ++place) {
        if (Matches(rows[place])) {
            shown.push_back(place);
        }
    }
    if (!Error().empty()) {
        // Past the budget no row is shown, as for a bad expression: a list cut somewhere
        // along the way would look like the answer.
        shown.clear();
    }
    return shown;
}

std::string ImageCountText(std::size_t shown, std::size_t total, bool stopped) {
    std::string text = shown == total ? Translated("{1} images", {GroupedNumber(total)})
                                      : Translated("{1} of {2} images",
                                                   {GroupedNumber(shown), GroupedNumber(total)});
    if (stopped) {
        text += Translated(
            "; the page names more than the list holds ({1} images, {2} MB)",
            {GroupedNumber(ImageList::kMaxRows), std::to_string(ImageList::kMaxBytes >> 20)});
    }
    return text;
}

}  // namespace quorvane
