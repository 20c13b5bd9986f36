#include "analysis/source_view.h"

#include "analysis/file_name_linker.h"
#include "analysis/html_escape.h"
#include "analysis/text_search.h"

namespace quorvane {

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
    for (const int pair : {0, 1}) {
        const std::vector<std::string>& names = lists.frmList[pair];
        const std::vector<std::string>& links = lists.Links[pair];
        for (std::size_t i = 0; i < names.size() && i < links.size(); ++i) {
            if (names[i].empty()) {
                continue;
            }
            std::string anchor = "<a href='" + EscapeLinkedAddress(links[i]) + "'>" +
                                 EscapeInsertedText(names[i]) + "</a>";
            passes.push_back({names[i], std::move(anchor)});
        }
    }
    return passes;
}

std::string LinkFileNamesPassByPass(std::string text, const std::vector<LinkPass>& passes) {
    for (const LinkPass& pass : passes) {
        if (FindExact(text, pass.name) != std::string::npos) {
            text = ReplaceAllExact(text, pass.name, pass.anchor);
        }
    }
    return text;
}

std::string SourceViewText(std::string_view body, const AnalysisLists& lists) {
    return LinkFileNames(EscapeSourceText(body), LinkPasses(lists));
}

}  // namespace quorvane
