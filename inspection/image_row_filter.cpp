#include "inspection/image_row_filter.h"

#include <glib.h>

#include <algorithm>
#include <string_view>

#include "base/ascii.h"

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

struct ImageRowFilter::Expression {
    explicit Expression(GRegex* compiled) : regex(compiled) {}
    ~Expression() { g_regex_unref(regex); }
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;
    GRegex* regex;
};

ImageRowFilter::ImageRowFilter(const ImageFilterSettings& settings) : settings_(settings) {
    if (!settings_.regularExpression || settings_.text.empty()) {
        return;
    }
    GError* error = nullptr;
    GRegex* regex = g_regex_new(settings_.text.c_str(),
                                static_cast<GRegexCompileFlags>(G_REGEX_CASELESS | G_REGEX_RAW),
                                static_cast<GRegexMatchFlags>(0), &error);
    if (regex == nullptr) {
        error_ = error->message;
        g_error_free(error);
        return;
    }
    expression_ = std::make_unique<Expression>(regex);
}

ImageRowFilter::~ImageRowFilter() = default;

bool ImageRowFilter::Matches(const ImageRow& row) const {
    if (!error_.empty()) {
        return false;
    }
    if (row.naturalWidth < settings_.minimumWidth || row.naturalHeight < settings_.minimumHeight) {
        return false;
    }
    if (!settings_.type.empty() && !ContainsNoCase(row.type, settings_.type)) {
        return false;
    }
    const std::string_view address = std::string_view(row.address).substr(0, kMaxMatchedBytes);
    if (expression_) {
        // A search that runs away ends as no match, with the error left unread.
        return g_regex_match_full(expression_->regex, address.data(),
                                  static_cast<gssize>(address.size()), 0,
                                  static_cast<GRegexMatchFlags>(0), nullptr, nullptr) != FALSE;
    }
    return settings_.text.empty() || ContainsNoCase(address, settings_.text);
}

std::vector<std::size_t> ImageRowFilter::Shown(const std::vector<ImageRow>& rows) const {
    std::vector<std::size_t> shown;
    shown.reserve(rows.size());
    for (std::size_t place = 0; place < rows.size(); ++place) {
        if (Matches(rows[place])) {
            shown.push_back(place);
        }
    }
    return shown;
}

std::string ImageCountText(std::size_t shown, std::size_t total, bool stopped) {
    std::string text = shown == total
                           ? GroupedNumber(total) + " images"
                           : GroupedNumber(shown) + " of " + GroupedNumber(total) + " images";
    if (stopped) {
        text += "; the page names more than the list holds (" + GroupedNumber(ImageList::kMaxRows) +
                " images, " + std::to_string(ImageList::kMaxBytes >> 20) + " MB)";
    }
    return text;
}

}  // namespace quorvane
