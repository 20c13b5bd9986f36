#include "inspection/source_find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

std::vector<std::string> Found(std::string_view text, const SourceMatches& matches) {
    std::vector<std::string> found;
    for (const TextRange& range : matches.ranges) {
        found.emplace_back(text.substr(range.begin, range.end - range.begin));
    }
    return found;
}

TEST(SourceFind, FindsTextWordsAndExpressions) {
    const struct {
        const char* text;
        const char* what;
        SourceFindOptions options;
        std::vector<std::string> found;
    } rows[] = {
        {"<a href=x>A a</a>", "a", {}, {"a", "A", "a", "a"}},
        {"<a href=x>A a</a>", "a", {.matchCase = true}, {"a", "a", "a"}},
        {"<a href=x>A a</a>", "a", {.wholeWord = true}, {"a", "A", "a", "a"}},
        {"cat concat cat.", "cat", {.wholeWord = true}, {"cat", "cat"}},
        // Plain text is no expression: its dots and brackets are themselves.
        {"a.b axb [x]", "a.b", {}, {"a.b"}},
        {"a.b axb [x]", "[x]", {}, {"[x]"}},
        {"a.b axb [x]", "a.b", {.regularExpression = true}, {"a.b", "axb"}},
        {"<img src=a.png><img src=b.gif>",
         "src=\\w+\\.(png|gif)",
         {.regularExpression = true},
         {"src=a.png", "src=b.gif"}},
        {"one\ntwo\n", "^t\\w+$", {.regularExpression = true}, {"two"}},
        {"id id2 id",
         "id\\d?",
         {.regularExpression = true, .wholeWord = true},
         {"id", "id2", "id"}},
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9", {}, {"\xC3\x89", "\xC3\xA9"}},
        // Empty matches are none; text with bytes that are no UTF-8 is still searched.
        {"abc", "x*", {.regularExpression = true}, {}},
        {"a\xFF"
         "b a",
         "a",
         {},
         {"a", "a"}},
        {"abc", "", {}, {}},
    };
    for (const auto& row : rows) {
        const SourceMatches matches = FindInSource(row.text, row.what, row.options, 100);
        EXPECT_EQ(Found(row.text, matches), row.found) << row.text << " / " << row.what;
        EXPECT_EQ(matches.error, "") << row.what;
    }
}

TEST(SourceFind, SaysWhatIsWrongWithABadExpression) {
    for (const char* what : {"a(b", "[z-a]", "*x", "a{2,1}"}) {
        const SourceMatches matches = FindInSource("a(b", what, {.regularExpression = true}, 100);
        EXPECT_NE(matches.error, "") << what;
        EXPECT_TRUE(matches.ranges.empty()) << what;
    }
    EXPECT_EQ(Found("a(b", FindInSource("a(b", "a(b", {}, 100)), std::vector<std::string>{"a(b"});
}

TEST(SourceFind, CountsUpToTheMaximumAndSaysThereIsMore) {
    const std::string text(50, 'e');
    const SourceMatches matches = FindInSource(text, "e", {}, 10);
    EXPECT_EQ(matches.ranges.size(), 10u);
    EXPECT_TRUE(matches.more);
    EXPECT_FALSE(FindInSource(text, "e", {}, 50).more);
}

}  // namespace
}  // namespace quorvane
