#include "inspection/row_text_match.h"

#include "base/text_search.h"

namespace quorvane {

RowTextMatch::RowTextMatch(const std::string& text, bool regularExpression) : text_(text) {
    if (regularExpression && !text.empty()) {
        // Bytes: an address cut at kMaxMatchedBytes may end inside a character.
        expression_ = std::make_unique<PatternSearch>(
            text, PatternSearch::Options{.caseless = true, .bytes = true});
    }
}

RowTextMatch::~RowTextMatch() = default;

bool RowTextMatch::Matches(std::string_view address) {
    address = address.substr(0, kMaxMatchedBytes);
    if (!expression_) {
        return text_.empty() || ContainsNoCase(address, text_);
    }
    if (expression_->Now() != PatternSearch::State::Searching) {
        return false;
    }
    bool matched = false;
    expression_->EachMatch(address, [&matched](std::size_t, std::size_t) {
        matched = true;
        return false;
    });
    return matched && expression_->Now() == PatternSearch::State::Searching;
}

std::string RowTextMatch::Error() const {
    return expression_ ? expression_->Problem() : std::string();
}

bool RowTextMatch::TooCostly() const {
    return expression_ && expression_->Now() == PatternSearch::State::TooCostly;
}

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

}  // namespace quorvane
