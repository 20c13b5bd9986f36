#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_lists.h"
#include "analysis/file_name_linker.h"
#include "base/limits.h"

namespace quorvane {

// The largest Source Code page for an escaped text of escapedSize bytes.
std::size_t MaxSourcePageSize(std::size_t escapedSize);

// The body's markup shown as text: "<" becomes "&lt;", and every CR and every LF
// becomes "<BR>" (so CR LF gives two).
std::string EscapeSourceText(std::string_view body);

// The linking passes in the order they run: the image links, then the image
// tags. Entries with an empty name are left out, since they change nothing.
std::vector<LinkPass> LinkPasses(const AnalysisLists& lists);

// The escaped body with the passes run over it, as LinkFileNames gives it for the
// EscapeSourceText of body.
LinkedText LinkedSourceText(std::string_view body, const std::vector<LinkPass>& passes,
                            std::size_t maxSize);

// The Source Code view's page for a body, decided and not yet written: how many of its
// image file names are linked before the page reached its largest size, and the page,
// handed out in pieces so that a large one is never held whole. It refers to the body
// and the lists, which must outlive it.
class SourceViewPlan {
  public:
    SourceViewPlan(std::string_view body, const AnalysisLists& lists);
    SourceViewPlan(const SourceViewPlan&) = delete;  // the plan points into passes_
    SourceViewPlan& operator=(const SourceViewPlan&) = delete;

    std::size_t NamesLinked() const;
    std::size_t Names() const { return passes_.size(); }
    void WriteInPieces(const PieceWriter& write) const;

  private:
    std::vector<LinkPass> passes_;
    std::optional<PlannedLinks> planned_;
    LinkedText linked_;  // made whole instead when a name could match differently escaped
};

// The same page whole, for a body small enough to hold it.
struct SourceView {
    std::string text;
    std::size_t namesLinked = 0;
    std::size_t names = 0;
};
SourceView SourceViewText(std::string_view body, const AnalysisLists& lists);

}  // namespace quorvane
