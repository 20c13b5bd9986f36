#include "inspection/source_find.h"

#include <glib.h>

#include <memory>

#include "inspection/pattern_search.h"

namespace quorvane {
namespace {

std::string Pattern(const std::string& what, const SourceFindOptions& options) {
    std::string pattern = what;
    if (!options.regularExpression) {
        std::unique_ptr<char, decltype(&g_free)> escaped(
            g_regex_escape_string(what.c_str(), static_cast<int>(what.size())), g_free);
        pattern = escaped.get();
    }
    return options.wholeWord ? "\\b(?:" + pattern + ")\\b" : pattern;
}

}  // namespace

SourceMatches FindInSource(std::string_view text, const std::string& what,
                           const SourceFindOptions& options, unsigned maxMatches) {
    SourceMatches found;
    if (what.empty()) {
        return found;
    }
    const bool utf8 = g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
    PatternSearch search(Pattern(what, options),
                         {.caseless = !options.matchCase, .multiline = true, .bytes = !utf8});
    search.EachMatch(text, [&found, maxMatches](std::size_t begin, std::size_t end) {
        if (end == begin) {
            return true;
        }
        if (found.ranges.size() == maxMatches) {
            found.more = true;
            return false;
        }
        found.ranges.push_back(
            {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)});
        return true;
    });
    found.error = search.Problem();
    if (!found.error.empty()) {
        found.ranges.clear();
        found.more = false;
    }
    return found;
}

}  // namespace quorvane
