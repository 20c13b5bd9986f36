#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image_list/image_list.h"

namespace quorvane {

// What the Image List finds wrong with a row's picture.
enum class ImageAudit { Any, Broken, Oversized, WithoutAlt, Duplicate };

// The bytes did not come, or are of no picture known here. Bytes still coming are not.
bool IsBroken(const ImageRow& row);
// The natural size holds more than kOversizedFactor times the pixels that the largest
// use shows at the screen's scale (device pixels per CSS pixel). A picture not shown
// (0 × 0) or drawn from a vector (SVG) is never oversized.
inline constexpr std::uint64_t kOversizedFactor = 4;
bool IsOversized(const ImageRow& row, double screenScale);
// The bytes a picture of the shown size would save, estimated; nullopt while the bytes
// are unknown or the row is not oversized.
std::optional<std::uint64_t> OversizedSaving(const ImageRow& row, double screenScale);
bool IsWithoutAlt(const ImageRow& row);
bool IsDuplicate(const ImageRow& row);
// Whether the row has that finding; every row has Any.
bool HasFinding(const ImageRow& row, ImageAudit audit, double screenScale);

// The row's findings as its cell says them: "broken, oversized (1.2 MB), no alt text,
// duplicate"; "" for none.
std::string ImageFindingsText(const ImageRow& row, double screenScale);

// The findings of a list's rows, each row counted once per finding.
struct ImageAuditSummary {
    std::size_t broken = 0;
    std::size_t oversized = 0;
    std::uint64_t oversizedSaving = 0;  // the sum of the estimates known
    std::size_t withoutAlt = 0;
    std::size_t duplicates = 0;
};
ImageAuditSummary SumAudits(const std::vector<ImageRow>& rows, double screenScale);
// "3 broken, 12 oversized (1.4 MB), 7 without alt text, 2 duplicates": the findings there
// are, a size as GLib writes it (a no-break space before its unit); "" when there is none.
std::string ImageAuditText(const ImageAuditSummary& summary);

}  // namespace quorvane
