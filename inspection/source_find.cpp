#include "inspection/source_find.h"

#include <glib.h>

#include <memory>

namespace quorvane {
namespace {

struct RegexUnref {
    void operator()(GRegex* regex) const { g_regex_unref(regex); }
};
struct MatchInfoFree {
    void operator()(GMatchInfo* info) const { g_match_info_free(info); }
};
struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

std::string Pattern(const std::string& what, const SourceFindOptions& options) {
    std::string pattern = what;
    if (!options.regularExpression) {
        std::unique_ptr<char, decltype(&g_free)> escaped(
            g_regex_escape_string(what.c_str(), static_cast<int>(what.size())), g_free);
        pattern = escaped.get();
    }
    return options.wholeWord ? "\\b(?:" + pattern + ")\\b" : pattern;
}

using RegexPtr = std::unique_ptr<GRegex, RegexUnref>;

// The expression that finds what in text, or none, with found.error saying why.
RegexPtr Compile(std::string_view text, const std::string& what, const SourceFindOptions& options,
                 SourceMatches& found) {
    const bool utf8 = g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
    const int flags =
        (options.matchCase ? 0 : G_REGEX_CASELESS) | G_REGEX_MULTILINE | (utf8 ? 0 : G_REGEX_RAW);
    GError* rawError = nullptr;
    RegexPtr regex(g_regex_new(Pattern(what, options).c_str(),
                               static_cast<GRegexCompileFlags>(flags),
                               static_cast<GRegexMatchFlags>(0), &rawError));
    if (!regex) {
        const ErrorPtr error(rawError);
        found.error = error->message;
    }
    return regex;
}

// Adds the matches of regex in text that are not empty to found, up to maxMatches.
void CollectMatches(const GRegex* regex, std::string_view text, unsigned maxMatches,
                    SourceMatches& found) {
    GError* rawError = nullptr;
    GMatchInfo* rawInfo = nullptr;
    g_regex_match_full(regex, text.data(), static_cast<gssize>(text.size()), 0,
                       static_cast<GRegexMatchFlags>(0), &rawInfo, &rawError);
    const std::unique_ptr<GMatchInfo, MatchInfoFree> info(rawInfo);
    while (rawError == nullptr && g_match_info_matches(info.get())) {
        int begin = 0;
        int end = 0;
        g_match_info_fetch_pos(info.get(), 0, &begin, &end);
        if (end > begin) {
            if (found.ranges.size() == maxMatches) {
                found.more = true;
                break;
            }
            found.ranges.push_back(
                {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)});
        }
        g_match_info_next(info.get(), &rawError);
    }
    if (rawError != nullptr) {
        const ErrorPtr error(rawError);
        found.error = error->message;
    }
}

}  // namespace

SourceMatches FindInSource(std::string_view text, const std::string& what,
                           const SourceFindOptions& options, unsigned maxMatches) {
    SourceMatches found;
    if (what.empty()) {
        return found;
    }
    if (const RegexPtr regex = Compile(text, what, options, found)) {
        CollectMatches(regex.get(), text, maxMatches, found);
    }
    return found;
}

}  // namespace quorvane
