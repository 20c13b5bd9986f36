#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_lists.h"
#include "base/limits.h"

namespace quorvane {

// One linking pass of the source view: every occurrence of name becomes the anchor
// <a href='address'>name</a>. Both views point into the analysis lists, so that no
// address is copied for a pass that never runs.
struct LinkPass {
    std::string_view name;
    std::string_view address;
};

// The anchor a pass puts in place of its name, address and name escaped.
std::string AnchorFor(const LinkPass& pass);

// A text after linking, and how many of the passes ran over it.
struct LinkedText {
    std::string text;
    std::size_t passesRun = 0;
};

// The largest Source Code page for an escaped text of escapedSize bytes.
std::size_t MaxSourcePageSize(std::size_t escapedSize);

// The body's markup shown as text: "<" becomes "&lt;", and every CR and every LF
// becomes "<BR>" (so CR LF gives two).
std::string EscapeSourceText(std::string_view body);

// The linking passes in the order they run: the image links, then the image
// tags. Entries with an empty name are left out, since they change nothing.
std::vector<LinkPass> LinkPasses(const AnalysisLists& lists);

// Runs the passes one after the other, each over the whole text as the passes before
// it left it, replacing left to right without overlap and without rescanning what it
// inserted. The first pass that would make the text longer than maxSize bytes does not
// run, and neither does any pass after it.
LinkedText LinkFileNamesPassByPass(std::string text, const std::vector<LinkPass>& passes,
                                   std::size_t maxSize = SIZE_MAX);

// The Source Code view's page for a body, and how many of its image file names were
// linked before the page reached its largest size.
struct SourceView {
    std::string text;
    std::size_t namesLinked = 0;
    std::size_t names = 0;
};
SourceView SourceViewText(std::string_view body, const AnalysisLists& lists);

}  // namespace quorvane
