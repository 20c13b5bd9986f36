#include "source_changes/change_list.h"

#include <algorithm>

#include "desktop/translation.h"

namespace quorvane {

std::optional<std::uint32_t> ChangeList::NextFrom(std::uint32_t line) const {
    if (changes_.empty()) {
        return std::nullopt;
    }
    const auto next = std::ranges::upper_bound(changes_, line, {}, &ChangeSpan::first);
    return next == changes_.end() ? changes_.front().first : next->first;
}

std::optional<std::uint32_t> ChangeList::PreviousFrom(std::uint32_t line) const {
    if (changes_.empty()) {
        return std::nullopt;
    }
    // The changes that begin at line or before it; the one line is in does not count.
    auto after = std::ranges::upper_bound(changes_, line, {}, &ChangeSpan::first);
    if (after != changes_.begin()) {
        const ChangeSpan& within = *std::prev(after);
        if (line < within.first + std::max<std::uint32_t>(within.count, 1)) {
            --after;
        }
    }
    return after == changes_.begin() ? changes_.back().first : std::prev(after)->first;
}

std::string ChangesCaption(std::size_t count) {
    if (count == 0) {
        return Translated("No changes");
    }
    return count == 1 ? Translated("{1} change", {std::to_string(count)})
                      : Translated("{1} changes", {std::to_string(count)});
}

}  // namespace quorvane
