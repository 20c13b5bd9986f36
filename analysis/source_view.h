#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_lists.h"

namespace quorvane {

// One linking pass of the source view: every occurrence of name becomes anchor.
struct LinkPass {
    std::string name;
    std::string anchor;  // <a href='address'>name</a>, both escaped
};

// The body's markup shown as text: "<" becomes "&lt;", and every CR and every LF
// becomes "<BR>" (so CR LF gives two).
std::string EscapeSourceText(std::string_view body);

// The linking passes in the order they run: pair 0 (image links), then pair 1 (image
// tags). Entries with an empty name are left out, since they change nothing.
std::vector<LinkPass> LinkPasses(const AnalysisLists& lists);

// Runs the passes one after the other, each over the whole text as the passes before
// it left it, replacing left to right without overlap and without rescanning what it
// inserted.
std::string LinkFileNamesPassByPass(std::string text, const std::vector<LinkPass>& passes);

// The Source Code view's page for body, with the image file names of lists linked.
std::string SourceViewText(std::string_view body, const AnalysisLists& lists);

}  // namespace quorvane
