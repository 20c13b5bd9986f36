#include "main_window/find_in_page.h"

#include <utility>

#include "desktop/translation.h"

namespace quorvane {

std::string FindStatusText(bool counted, unsigned matches, unsigned current, unsigned maxMatches) {
    if (!counted) {
        return {};
    }
    if (matches == 0) {
        return Translated("Not found");
    }
    if (matches > maxMatches) {
        return Translated("More than {1} matches", {std::to_string(maxMatches)});
    }
    return Translated("{1} of {2}", {std::to_string(current), std::to_string(matches)});
}

std::string SourceFindStatusText(const SourceMatches& matches, std::size_t current,
                                 unsigned maxMatches) {
    if (!matches.error.empty()) {
        return matches.error;
    }
    const auto count = static_cast<unsigned>(matches.ranges.size()) + (matches.more ? 1 : 0);
    return FindStatusText(true, count, static_cast<unsigned>(current), maxMatches);
}

FindInPage::FindInPage(ShowStatus showStatus) : showStatus_(std::move(showStatus)) {}

void FindInPage::Search(BrowserElement& element, const std::string& text, bool matchCase) {
    if (element_ != nullptr && element_ != &element) {
        element_->EndFind();
    }
    text_ = text;
    matchCase_ = matchCase;
    if (text_.empty()) {
        element.EndFind();
        element_ = nullptr;
        ++search_;
        showStatus_({});
        return;
    }
    Run(element);
}

void FindInPage::Follow(BrowserElement& element) {
    if (element_ == nullptr || element_ == &element) {
        return;
    }
    element_->EndFind();
    Run(element);
}

void FindInPage::Run(BrowserElement& element) {
    element_ = &element;
    counted_ = false;
    steps_ = 0;
    const unsigned search = ++search_;
    showStatus_({});
    element.Find(text_, matchCase_, kMaxMatches,
                 [this, search](unsigned matches) { OnCounted(search, matches); });
}

void FindInPage::OnCounted(unsigned search, unsigned matches) {
    if (search != search_) {
        return;
    }
    counted_ = true;
    matches_ = matches;
    ShowPosition();
}

void FindInPage::Next() {
    if (element_ != nullptr) {
        ++steps_;
        element_->FindNext();
        ShowPosition();
    }
}

void FindInPage::Previous() {
    if (element_ != nullptr) {
        --steps_;
        element_->FindPrevious();
        ShowPosition();
    }
}

void FindInPage::End() {
    if (element_ != nullptr) {
        element_->EndFind();
        element_ = nullptr;
    }
    ++search_;
}

// The engine goes round from the last match to the first, and so does the count.
void FindInPage::ShowPosition() {
    const long count = static_cast<long>(matches_);
    const long current = counted_ && count > 0 ? ((steps_ % count) + count) % count + 1 : 0;
    showStatus_(FindStatusText(counted_, matches_, static_cast<unsigned>(current), kMaxMatches));
}

}  // namespace quorvane
