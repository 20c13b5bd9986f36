#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image_list/image_audit.h"
#include "image_list/image_list.h"
#include "inspection/row_text_match.h"

namespace quorvane {

// What the user asks the Image List to show.
struct ImageFilterSettings {
    std::string text{};              // in the address; "" for any
    bool regularExpression = false;  // text is Perl's regular expression, else plain text
    std::string type{};              // in the type, "png" or "image/png"; "" for any
    std::uint32_t minimumWidth = 0;  // of the natural size
    std::uint32_t minimumHeight = 0;
    ImageAudit audit = ImageAudit::Any;  // only the rows with that finding
};

// The rows a filter lets through. A regular expression is PCRE's through GLib, letters
// folded; a bad one lets nothing through and says why, and so does one that costs more
// than one search of a page may: the filter's rows are one search, with one budget of work
// (PatternSearch). Only the first kMaxMatchedBytes of an address are searched, so a data:
// address of megabytes costs no more than a long address of the web. screenScale is the
// device pixels per CSS pixel that an oversized picture is judged at.
class ImageRowFilter {
  public:
    static constexpr std::size_t kMaxMatchedBytes = RowTextMatch::kMaxMatchedBytes;

    explicit ImageRowFilter(const ImageFilterSettings& settings, double screenScale = 1.0);
    ~ImageRowFilter();
    ImageRowFilter(const ImageRowFilter&) = delete;
    ImageRowFilter& operator=(const ImageRowFilter&) = delete;

    bool Matches(const ImageRow& row);
    // What the filter row says instead of the count: "Bad expression: " and why, or that
    // the expression is too costly for this page; "" when the filter could be applied.
    std::string Error() const;
    // Its expression has spent the budget of one search: it stops letting rows through.
    bool TooCostly() const;
    // The places of the rows it lets through, in the list's order.
    std::vector<std::size_t> Shown(const std::vector<ImageRow>& rows);

  private:
    ImageFilterSettings settings_;
    double screenScale_;
    std::unique_ptr<RowTextMatch> text_;
};

// "1 204 images", or "312 of 1 204 images" when the filter leaves some out; with
// "; the page names more than the list holds (50 000 images, 256 MB)" when it stopped.
std::string ImageCountText(std::size_t shown, std::size_t total, bool stopped);

}  // namespace quorvane
