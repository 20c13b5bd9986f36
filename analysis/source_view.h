#pragma once

#include <cstddef>
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

// The Source Code view's page for a body, and how many of its image file names were
// linked before the page reached its largest size.
struct SourceView {
    std::string text;
    std::size_t namesLinked = 0;
    std::size_t names = 0;
};
SourceView SourceViewText(std::string_view body, const AnalysisLists& lists);

}  // namespace quorvane
