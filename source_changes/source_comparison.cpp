#include "source_changes/source_comparison.h"

#include <utility>

#include "inspection/source_reformatting.h"
#include "source_changes/changes_text.h"

namespace quorvane {

SourceComparison CompareSources(std::string_view served, std::string_view live,
                                const ChangeBounds& bounds) {
    const std::string servedLines = ReformatSource(served);
    const std::string liveLines = ReformatSource(live);
    LineComparison compared = CompareLines(servedLines, liveLines, bounds);
    if (compared.outcome == LineComparison::Outcome::TooLarge) {
        return {TextsOneAfterTheOther(servedLines, liveLines, compared.why),
                {},
                ChangeList(),
                compared.why};
    }
    ChangesText shown = InterleaveChanges(servedLines, liveLines, compared.changes);
    const std::size_t count = shown.changes.size();
    return {std::move(shown.text), std::move(shown.marks), ChangeList(std::move(shown.changes)),
            ChangesCaption(count)};
}

}  // namespace quorvane
