#include "inspection/pattern_search.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "inspection/source_find.h"

namespace quorvane {
namespace {

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

std::string Repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t time = 0; time < times; ++time) {
        text += piece;
    }
    return text;
}

// Every match, empty ones included, as GLib's own search finds them.
Ranges GLibMatches(const std::string& pattern, PatternSearch::Options options,
                   std::string_view text) {
    const int flags = (options.caseless ? G_REGEX_CASELESS : 0) |
                      (options.multiline ? G_REGEX_MULTILINE : 0) |
                      (options.bytes ? G_REGEX_RAW : 0);
    GRegex* regex = g_regex_new(pattern.c_str(), static_cast<GRegexCompileFlags>(flags),
                                static_cast<GRegexMatchFlags>(0), nullptr);
    Ranges found;
    GMatchInfo* info = nullptr;
    g_regex_match_full(regex, text.data(), static_cast<gssize>(text.size()), 0,
                       static_cast<GRegexMatchFlags>(0), &info, nullptr);
    while (g_match_info_matches(info)) {
        int begin = 0;
        int end = 0;
        g_match_info_fetch_pos(info, 0, &begin, &end);
        found.emplace_back(begin, end);
        g_match_info_next(info, nullptr);
    }
    g_match_info_free(info);
    g_regex_unref(regex);
    return found;
}

Ranges AllMatches(PatternSearch& search, std::string_view text) {
    Ranges found;
    search.EachMatch(text, [&found](std::size_t begin, std::size_t end) {
        found.emplace_back(begin, end);
        return true;
    });
    return found;
}

// The search that counts its work finds what GLib's search found, empty matches and
// their skipping, line breaks, Unicode and bytes included.
TEST(PatternSearch, FindsWhatGLibFinds) {
    const std::string lines =
        "a\rb\xC2\x85"
        "c\xE2\x80\xA8"
        "d\r\ne\xC3\xA9 \xC2\xA0K\xE2\x84\xAA";
    const std::string html =
        "<img src=a.png alt='A'><IMG SRC=b.gif>\n<p class=x>caf\xC3\xA9 CAF\xC3\x89</p>\n";
    const struct {
        const char* pattern;
        PatternSearch::Options options;
        std::string text;
    } rows[] = {
        {"$", {.multiline = true}, lines},
        {"^.", {.multiline = true}, lines},
        {"\\R", {}, lines},
        {"\\w+", {}, lines},
        {"\\s", {}, lines},
        {".", {}, lines},
        {"\\b", {}, lines},
        {"[[:alpha:]]+", {}, lines},
        {"k", {.caseless = true}, lines},
        {"$", {.multiline = true, .bytes = true}, lines},
        {"\\w+", {.bytes = true}, lines},
        {".", {.bytes = true}, lines},
        {"\\b", {.bytes = true}, lines},
        {"x*", {}, html},
        {"x*", {.bytes = true}, html},
        {"(?=[A-Z])", {}, "RegExTest"},
        {"", {}, "ab\xC3\xA9"},
        {"img|src=\\w+\\.(png|gif)", {.caseless = true}, html},
        {"caf\xC3\xA9", {.caseless = true}, html},
        {"caf\xC3\xA9", {.caseless = true, .bytes = true}, html},
        {"(?<=src=)\\w+", {}, html},
        {"<(\\w+)[^>]*>", {.caseless = true}, html},
        {"^<p.*</p>$", {.multiline = true}, html},
        {"\\bcaf\\w*", {.caseless = true}, html},
        {"(a|b)\\1?", {}, "aabbab"},
    };
    for (const auto& row : rows) {
        PatternSearch search(row.pattern, row.options);
        EXPECT_EQ(AllMatches(search, row.text), GLibMatches(row.pattern, row.options, row.text))
            << row.pattern;
        EXPECT_EQ(search.Now(), PatternSearch::State::Searching) << row.pattern;
        EXPECT_EQ(search.Problem(), "") << row.pattern;
    }
}

// Patterns that backtrack without end, and huge texts: each search ends with the answer
// that it is too costly. Most of them never reach PCRE's own limit of one attempt; only
// the count over every attempt stops them.
TEST(PatternSearch, StopsAHostileSearchOnceItsBudgetIsSpent) {
    const std::string aLines = Repeated(std::string(20, 'a') + "!\n", 100);  // 2 KB
    const struct {
        const char* pattern;
        std::string text;
    } rows[] = {
        {"(a+)+$", aLines},
        {"(a+)+$", Repeated(std::string(12, 'a') + "!\n", 1 << 16)},
        {"(a|aa)*b", Repeated(std::string(28, 'a') + "cb\n", 200)},
        {"(.*a){20}", Repeated(std::string(19, 'a') + "\n", 200)},
        {"(\\w+\\s?)+$", Repeated("word ", 2000) + "!"},
        {"(x+x+)+y", std::string(5000, 'x') + "zy"},
        {"(.|.)*\\d", "<p>marker-served</p><a href=\"next.html\">next</a>"},
        {"a*a*a*a*a*b", std::string(1 << 20, 'a')},
    };
    for (const auto& row : rows) {
        PatternSearch search(row.pattern, {.multiline = true});
        bool foundAfterwards = false;
        search.EachMatch(row.text, [&foundAfterwards](std::size_t, std::size_t) { return true; });
        EXPECT_EQ(search.Now(), PatternSearch::State::TooCostly) << row.pattern;
        EXPECT_EQ(search.Problem(), PatternSearch::kTooCostly) << row.pattern;
        // Once spent, the budget stays spent: a later text finds nothing.
        search.EachMatch("a", [&foundAfterwards](std::size_t, std::size_t) {
            foundAfterwards = true;
            return true;
        });
        EXPECT_FALSE(foundAfterwards) << row.pattern;
    }
}

TEST(PatternSearch, RefusesAPatternThatIsNotUtf8OrNoExpression) {
    const struct {
        std::string pattern;
        PatternSearch::Options options;
        const char* problem;
    } rows[] = {
        {"a\xFF", {}, "Bad expression: not UTF-8 text"},
        {"\xC3", {.bytes = true}, "Bad expression: not UTF-8 text"},
        {"(a\xE2\x82", {}, "Bad expression: not UTF-8 text"},
        {"a(b", {}, "Bad expression: missing terminating )"},
        {"(?<n>a)(?<n>b)", {}, "Bad expression: two named subpatterns have the same name"},
    };
    for (const auto& row : rows) {
        PatternSearch search(row.pattern, row.options);
        EXPECT_EQ(search.Now(), PatternSearch::State::BadExpression) << row.problem;
        EXPECT_EQ(search.Problem(), row.problem);
        EXPECT_TRUE(AllMatches(search, "a(b ab").empty()) << row.problem;
    }
}

TEST(PatternSearch, FindsNothingInTextThatIsNotUtf8WhenAskedForUtf8) {
    PatternSearch search("a", {});
    EXPECT_TRUE(AllMatches(search,
                           "a\xFF"
                           "a")
                    .empty());
    EXPECT_EQ(search.Now(), PatternSearch::State::Searching);
    EXPECT_EQ(AllMatches(search, "ba"), (Ranges{{1, 2}}));
}

// The budget is the whole search's: many cheap texts spend it as one long one does.
TEST(PatternSearch, CountsTheBudgetOverEveryTextOfTheSearch) {
    PatternSearch search("(a+)+$", {});
    const std::string address = "http://h/" + std::string(18, 'a') + "!";
    std::size_t searched = 0;
    while (search.Now() == PatternSearch::State::Searching && searched < 10000) {
        search.EachMatch(address, [](std::size_t, std::size_t) { return true; });
        ++searched;
    }
    EXPECT_EQ(search.Now(), PatternSearch::State::TooCostly);
    EXPECT_GT(searched, 1u);
    EXPECT_LT(searched, 10000u);
}

// Where a budget could wrongly cut an ordinary search: every match of a large page up to
// the find bar's maximum, and patterns that find nothing in the largest page shown.
TEST(PatternSearch, LeavesOrdinarySearchesOfLargePagesWhole) {
    const std::string line =
        "<div class=\"item\"><a href=\"/path/to/page.html\">Some link text here</a> "
        "<img src=photo.png alt=\"x\"> user@example.com</div>\n";
    const std::string large = Repeated(line, (16 << 20) / line.size());
    const std::string largest = Repeated(line, (64 << 20) / line.size());
    const struct {
        const char* what;
        SourceFindOptions options;
        const std::string& text;
        std::size_t found;
    } rows[] = {
        {"img", {}, large, 1000},
        {"src=\\w+\\.(png|gif)", {.regularExpression = true}, large, 1000},
        {"\\w+@\\w+", {.regularExpression = true}, large, 1000},
        {"href=\"[^\"]*\"", {.regularExpression = true}, large, 1000},
        {"<div[^>]*>", {.regularExpression = true}, large, 1000},
        {"link", {.wholeWord = true}, large, 1000},
        {"needle", {}, largest, 0},
        {".*zzz", {.regularExpression = true}, largest, 0},
        {"<img[^>]*\\.pdf", {.regularExpression = true}, largest, 0},
        {"\\w+@\\w+\\.org", {.regularExpression = true}, large, 0},
    };
    for (const auto& row : rows) {
        const SourceMatches matches = FindInSource(row.text, row.what, row.options, 1000);
        EXPECT_EQ(matches.error, "") << row.what;
        EXPECT_EQ(matches.ranges.size(), row.found) << row.what;
    }
}

TEST(PatternSearch, TellsTheSourceViewThatAHostileExpressionIsTooCostly) {
    const std::string page = Repeated(std::string(20, 'a') + "!\n", 100);
    const SourceMatches matches = FindInSource(page, "(a+)+$", {.regularExpression = true}, 1000);
    EXPECT_EQ(matches.error, PatternSearch::kTooCostly);
    EXPECT_TRUE(matches.ranges.empty());
}

}  // namespace
}  // namespace quorvane
