#include "analysis/source_view.h"

#include "analysis/file_name_linker.h"
#include "analysis/html_escape.h"
#include "analysis/saturating_size.h"
#include "analysis/text_search.h"

namespace quorvane {

namespace {

std::size_t CountExact(std::string_view text, std::string_view name) {
    std::size_t count = 0;
    if (name.empty()) {
        return count;
    }
    for (std::size_t at = FindExact(text, name); at != std::string_view::npos;
         at = FindExact(text, name, at + name.size())) {
        ++count;
    }
    return count;
}

}  // namespace

std::string AnchorFor(const LinkPass& pass) {
    return "<a href='" + EscapeLinkedAddress(pass.address) + "'>" + EscapeInsertedText(pass.name) +
           "</a>";
}

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

LinkedText LinkFileNamesPassByPass(std::string text, const std::vector<LinkPass>& passes,
                                   std::size_t maxSize) {
    for (std::size_t j = 0; j < passes.size(); ++j) {
        const std::size_t matches = CountExact(text, passes[j].name);
        if (matches == 0) {
            continue;
        }
        const std::string anchor = AnchorFor(passes[j]);
        const std::size_t growth =
            SaturatingMultiply(matches, anchor.size() - passes[j].name.size());
        if (SaturatingAdd(text.size(), growth) > maxSize) {
            return {std::move(text), j};
        }
        text = ReplaceAllExact(text, passes[j].name, anchor);
    }
    return {std::move(text), passes.size()};
}

SourceView SourceViewText(std::string_view body, const AnalysisLists& lists) {
    const std::string escaped = EscapeSourceText(body);
    const std::vector<LinkPass> passes = LinkPasses(lists);
    LinkedText linked = LinkFileNames(escaped, passes, MaxSourcePageSize(escaped.size()));
    return {std::move(linked.text), linked.passesRun, passes.size()};
}

}  // namespace quorvane
