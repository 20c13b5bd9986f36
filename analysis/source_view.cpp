#include "analysis/source_view.h"

#include "analysis/saturating_size.h"

namespace quorvane {

std::size_t MaxSourcePageSize(std::size_t escapedSize) {
    return SaturatingAdd(SaturatingMultiply(escapedSize, kSourcePageGrowth), kSourcePageHeadroom);
}

std::string EscapeSourceText(std::string_view body) {
    std::string text;
    text.reserve(body.size() + body.size() / 8);
    for (const char c : body) {
        if (c == '<') {
            text.append("&lt;");
        } else if (c == '\r' || c == '\n') {
            text.append("<BR>");
        } else {
            text.push_back(c);
        }
    }
    return text;
}

std::vector<LinkPass> LinkPasses(const AnalysisLists& lists) {
    std::vector<LinkPass> passes;
    for (const FoundImages* found : {&lists.imageLinks, &lists.imageTags}) {
        const std::vector<std::string>& names = found->fileNames;
        const std::vector<std::string>& links = found->addresses;
        for (std::size_t i = 0; i < names.size() && i < links.size(); ++i) {
            if (!names[i].empty()) {
                passes.push_back({names[i], links[i]});
            }
        }
    }
    return passes;
}

SourceView SourceViewText(std::string_view body, const AnalysisLists& lists) {
    std::string escaped = EscapeSourceText(body);
    const std::vector<LinkPass> passes = LinkPasses(lists);
    const std::size_t maxSize = MaxSourcePageSize(escaped.size());
    LinkedText linked = LinkFileNames(std::move(escaped), passes, maxSize);
    return {std::move(linked.text), linked.passesRun, passes.size()};
}

}  // namespace quorvane
