#include "analysis/source_view.h"

#include <gtest/gtest.h>

#include "tests/support/pass_by_pass_linker.h"

namespace quorvane {
namespace {

AnalysisLists ListsOf(std::vector<std::string> links0, std::vector<std::string> names0,
                      std::vector<std::string> links1, std::vector<std::string> names1) {
    AnalysisLists lists;
    lists.imageLinks.addresses = std::move(links0);
    lists.imageLinks.fileNames = std::move(names0);
    lists.imageTags.addresses = std::move(links1);
    lists.imageTags.fileNames = std::move(names1);
    return lists;
}

TEST(SourceView, ShowsMarkupAsTextAndEveryBreakAsBr) {
    const std::pair<const char*, const char*> rows[] = {
        {"a<b", "a&lt;b"},
        {"one\r\ntwo", "one<BR><BR>two"},
        {"a\rb\nc", "a<BR>b<BR>c"},
        {"&amp; > \"'", "&amp; > \"'"},
        {"<p>\xd0\xbf\xd1\x80</p>", "&lt;p>\xd0\xbf\xd1\x80&lt;/p>"},
        {"", ""},
    };
    for (const auto& [body, expected] : rows) {
        EXPECT_EQ(SourceViewText(body, {}).text, expected) << body;
    }
}

TEST(SourceView, LinksEveryOccurrenceOfAFileNameCaseSensitively) {
    const AnalysisLists lists = ListsOf({}, {}, {"http://host/pics/a.gif"}, {"a.gif"});
    EXPECT_EQ(SourceViewText("<img src='pics/a.gif'> ba.gif A.GIF", lists).text,
              "&lt;img src='pics/<a href='http://host/pics/a.gif'>a.gif</a>'> "
              "b<a href='http://host/pics/a.gif'>a.gif</a> A.GIF");
}

TEST(SourceView, WrapsANameInBothPairsTwice) {
    const AnalysisLists lists =
        ListsOf({"http://h/a.gif"}, {"a.gif"}, {"http://i/a.gif"}, {"a.gif"});
    const std::string inner = "<a href='http://i/a.gif'>a.gif</a>";
    EXPECT_EQ(SourceViewText("x a.gif", lists).text,
              "x <a href='http://h/" + inner + "'>" + inner + "</a>");
}

TEST(SourceView, LaterPassesRewriteEarlierAnchorsAndOverlappingNames) {
    // "b.gif" is inside "ab.gif"; "ref" is inside every inserted anchor.
    const AnalysisLists lists =
        ListsOf({"http://h/ab.gif", "http://h/b.gif"}, {"ab.gif", "b.gif"}, {"R"}, {"ref"});
    EXPECT_EQ(SourceViewText("ab.gif", lists).text,
              "<a h<a href='R'>ref</a>='http://h/a<a h<a href='R'>ref</a>='http://h/b.gif'>"
              "b.gif</a>'>a<a h<a href='R'>ref</a>='http://h/b.gif'>b.gif</a></a>");
}

TEST(SourceView, SkipsEmptyNamesAndEscapesWhatItInserts) {
    const AnalysisLists lists =
        ListsOf({"http://h/x'y=1"}, {"x.gif"}, {"http://h/", "http://h/a<b.gif"}, {"", "a<b.gif"});
    EXPECT_EQ(SourceViewText("x.gif", lists).text, "<a href='http://h/x&#39;y&#61;1'>x.gif</a>");
    // A name holding "<" can only match where the text has one: inside inserted markup.
    EXPECT_EQ(SourceViewText("a<b.gif", lists).text, "a&lt;b.gif");
}

// Plain names are found in the body and the page is escaped as it is written; names
// that could match inside the escapes' replacements, or only because of them, must
// still link as they do in the escaped text, with any largest size.
TEST(SourceView, LinksTheEscapedTextWhetherOrNotNamesAreFoundInTheBody) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"<p>a.gif\r\nb.gif</p>", {"a.gif", "b.gif", "p>"}},
        {"<p>a.gif\r\nb.gif</p>", {"a.gif", "b.gif"}},
        {"a<b lt t;x<BR>", {"lt", "b"}},
        {"a<b lt t;x", {"t", "b"}},
        {"a<b lt t;x", {"l"}},
        {"x<p t;p", {"t;p"}},
        {"x\ry\nBR", {"BR", "y"}},
        {"x\ry\nR", {"R"}},
        {"x\ry\nB", {"B", "x"}},
        {"&amp;&lt;", {"amp;", "&lt;"}},
        {"a\rb", {"a\rb", "a"}},
        {"<<a.gif>a.gif", {"a.gif", "href", "a"}},
        {"<i class=\"c\">y.gif</i>", {"<i class=", "y.gif", "i"}},
        {"<a href x.gif", {"x.gif", "<a href"}},
        {"xa.gif", {"a.gif", "x<a href"}},
        {"a.gifx", {"a.gif", "/a>x"}},
        {"x\r<BR>", {"x<BR", "x"}},
        {"x\ry", {"x\ry", "y", "x<"}},
    };
    for (const auto& [body, names] : rows) {
        std::vector<std::string> addresses;
        std::vector<LinkPass> passes;
        for (const std::string& name : names) {
            addresses.push_back("http://h/" + name);
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            passes.push_back({names[i], addresses[i]});
        }
        const std::string escaped = EscapeSourceText(body);
        const LinkedText whole = LinkFileNamesPassByPass(escaped, passes);
        for (std::size_t maxSize = escaped.size(); maxSize <= whole.text.size(); ++maxSize) {
            SCOPED_TRACE(std::string(body) + " " + names[0] + " " + std::to_string(maxSize));
            const LinkedText linked = LinkedSourceText(body, passes, maxSize);
            const LinkedText reference = LinkFileNamesPassByPass(escaped, passes, maxSize);
            EXPECT_EQ(linked.text, reference.text);
            EXPECT_EQ(linked.passesRun, reference.passesRun);
        }
    }
}

// A page many pieces long, with stretches and an address longer than a piece, comes out
// in pieces of bounded size that make the page it would be whole.
TEST(SourceView, WritesALargePageInBoundedPiecesAsItWouldBeWhole) {
    const std::string longAddress = "http://h/" + std::string(2 * kTextPieceSize, 'd') + "/a.gif";
    const AnalysisLists lists = ListsOf({longAddress}, {"a.gif"}, {"http://h/b.gif"}, {"b.gif"});
    std::string body = " a.gif\r\n";
    for (std::size_t i = 0; i <= 8; ++i) {
        body += std::string(2000, 'x') + " b.gif\r\n" + std::string(i * kTextPieceSize / 8, '<');
    }
    const std::vector<LinkPass> passes = LinkPasses(lists);
    const std::string whole = LinkFileNamesPassByPass(EscapeSourceText(body), passes).text;

    const SourceViewPlan plan(body, lists);
    std::string written;
    std::size_t pieces = 0;
    plan.WriteInPieces([&](std::string_view piece) {
        EXPECT_LE(piece.size(), 2 * kTextPieceSize);
        written += piece;
        ++pieces;
    });
    EXPECT_EQ(written, whole);
    EXPECT_GT(pieces, whole.size() / (2 * kTextPieceSize));
    EXPECT_EQ(plan.NamesLinked(), 2u);
}

}  // namespace
}  // namespace quorvane
