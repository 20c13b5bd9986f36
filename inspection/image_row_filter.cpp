#include "inspection/image_row_filter.h"

#include <algorithm>
#include <string_view>

#include "base/ascii.h"
#include "desktop/translation.h"
#include "inspection/pattern_search.h"

namespace quorvane {
namespace {

// "1 204": thousands apart by a space, as the count is read at a glance.
std::string GroupedNumber(std::size_t number) {
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) {
            grouped += ' ';
        }
        grouped += digits[at];
    }
    return grouped;
}

bool ContainsNoCase(std::string_view text, std::string_view what) {
    return std::search(text.begin(), text.end(), what.begin(), what.end(),
                       [](char a, char b) { return LowerAscii(a) == LowerAscii(b); }) != text.end();
}

}  // namespace

ImageRowFilter::ImageRowFilter(const ImageFilterSettings& settings, double screenScale)
    : settings_(settings), screenScale_(screenScale) {
    if (settings_.regularExpression && !settings_.text.empty()) {
        // Bytes: an address cut at kMaxMatchedBytes may end inside a character.
        expression_ = std::make_unique<PatternSearch>(
            settings_.text, PatternSearch::Options{.caseless = true, .bytes = true});
    }
}

ImageRowFilter::~ImageRowFilter() = default;

bool ImageRowFilter::Matches(const ImageRow& row) {
    if (expression_ && expression_->Now() != PatternSearch::State::Searching) {
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
    const std::string_view address = std::string_view(row.address).substr(0, kMaxMatchedBytes);
    if (expression_) {
        bool matched = false;
        expression_->EachMatch(address, [&matched](std::size_t, std::size_t) {
            matched = true;
            return false;
        });
        return matched && expression_->Now() == PatternSearch::State::Searching;
    }
    return settings_.text.empty() || ContainsNoCase(address, settings_.text);
}

std::string ImageRowFilter::Error() const {
    return expression_ ? expression_->Problem() : std::string();
}

bool ImageRowFilter::TooCostly() const {
    return expression_ && expression_->Now() == PatternSearch::State::TooCostly;
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
