#include "image_list/image_audit.h"

#include <glib.h>

#include <cmath>
#include <memory>

#include "desktop/translation.h"

namespace quorvane {
namespace {

// The pixels of width × height CSS pixels at the screen's scale.
double DevicePixels(std::uint32_t width, std::uint32_t height, double screenScale) {
    return static_cast<double>(width) * screenScale * static_cast<double>(height) * screenScale;
}

std::string SizeText(std::uint64_t bytes) {
    const std::unique_ptr<char, decltype(&g_free)> text(g_format_size(bytes), &g_free);
    return text.get();
}

}  // namespace

bool IsBroken(const ImageRow& row) {
    return row.state == ImageBytes::Missing || row.state == ImageBytes::NotPicture;
}

bool IsOversized(const ImageRow& row, double screenScale) {
    if (row.type == "image/svg+xml" || row.shownWidth == 0 || row.shownHeight == 0) {
        return false;
    }
    const double natural = static_cast<double>(row.naturalWidth) * row.naturalHeight;
    return natural > static_cast<double>(kOversizedFactor) *
                         DevicePixels(row.shownWidth, row.shownHeight, screenScale);
}

// A picture's bytes grow about as its pixels do, for one format at one quality: a picture
// of the shown size would take the bytes times the shown pixels over the natural pixels,
// and save the rest. Headers and a format's own gains on smooth areas make this an
// estimate, good for telling a megabyte from a kilobyte.
std::optional<std::uint64_t> OversizedSaving(const ImageRow& row, double screenScale) {
    if (!row.bytes || !IsOversized(row, screenScale)) {
        return std::nullopt;
    }
    const double natural = static_cast<double>(row.naturalWidth) * row.naturalHeight;
    const double shown = DevicePixels(row.shownWidth, row.shownHeight, screenScale);
    const double kept = std::ceil(static_cast<double>(*row.bytes) * shown / natural);
    return *row.bytes - static_cast<std::uint64_t>(kept);
}

bool IsWithoutAlt(const ImageRow& row) {
    return row.withoutAlt;
}

bool IsDuplicate(const ImageRow& row) {
    return row.sameBytes;
}

bool HasFinding(const ImageRow& row, ImageAudit audit, double screenScale) {
    switch (audit) {
        case ImageAudit::Any:
            return true;
        case ImageAudit::Broken:
            return IsBroken(row);
        case ImageAudit::Oversized:
            return IsOversized(row, screenScale);
        case ImageAudit::WithoutAlt:
            return IsWithoutAlt(row);
        case ImageAudit::Duplicate:
            return IsDuplicate(row);
    }
    return false;
}

std::string ImageFindingsText(const ImageRow& row, double screenScale) {
    std::string text;
    const auto add = [&text](bool found, const std::string& what) {
        if (found) {
            text += (text.empty() ? "" : ", ") + what;
        }
    };
    add(IsBroken(row), Translated("broken"));
    if (IsOversized(row, screenScale)) {
        const std::optional<std::uint64_t> saving = OversizedSaving(row, screenScale);
        add(true, saving && *saving > 0 ? Translated("oversized ({1})", {SizeText(*saving)})
                                        : Translated("oversized"));
    }
    add(IsWithoutAlt(row), Translated("no alt text"));
    add(IsDuplicate(row), Translated("duplicate"));
    return text;
}

ImageAuditSummary SumAudits(const std::vector<ImageRow>& rows, double screenScale) {
    ImageAuditSummary summary;
    for (const ImageRow& row : rows) {
        summary.broken += IsBroken(row) ? 1 : 0;
        if (IsOversized(row, screenScale)) {
            ++summary.oversized;
            summary.oversizedSaving += OversizedSaving(row, screenScale).value_or(0);
        }
        summary.withoutAlt += IsWithoutAlt(row) ? 1 : 0;
        summary.duplicates += IsDuplicate(row) ? 1 : 0;
    }
    return summary;
}

std::string ImageAuditText(const ImageAuditSummary& summary) {
    std::string text;
    const auto add = [&text](std::size_t count, const std::string& what) {
        if (count > 0) {
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + what;
        }
    };
    add(summary.broken, Translated("broken"));
    add(summary.oversized, summary.oversizedSaving > 0
                               ? Translated("oversized ({1})", {SizeText(summary.oversizedSaving)})
                               : Translated("oversized"));
    add(summary.withoutAlt, Translated("without alt text"));
    add(summary.duplicates,
        summary.duplicates == 1 ? Translated("duplicate") : Translated("duplicates"));
    return text;
}

}  // namespace quorvane
