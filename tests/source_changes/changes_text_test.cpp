// The text that shows the changes, its marks, and going from change to change.
#include "source_changes/changes_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source_changes/change_list.h"
#include "source_changes/source_comparison.h"

namespace quorvane {
namespace {

using Side = MarkedLine::Side;

struct InterleaveRow {
    const char* name;
    const char* served;
    const char* live;
    const char* text;
    std::vector<MarkedLine> marks;
    std::vector<ChangeSpan> changes;
};

TEST(InterleaveChanges, ShowsSharedLinesOnceAndMarksEachSidesOwn) {
    const InterleaveRow rows[] = {
        {"same", "a\nb\n", "a\nb\n", "a\nb\n", {}, {}},
        {"replaced",
         "a\nb\nc\n",
         "a\nB\nc\n",
         "a\nb\nB\nc\n",
         {{1, Side::Served}, {2, Side::Live}},
         {{1, 2}}},
        {"added",
         "a\nc\n",
         "a\nb1\nb2\nc\n",
         "a\nb1\nb2\nc\n",
         {{1, Side::Live}, {2, Side::Live}},
         {{1, 2}}},
        {"removed at the end", "a\nb\n", "a\n", "a\nb\n", {{1, Side::Served}}, {{1, 1}}},
        {"two changes",
         "a\nb\nc\nd\n",
         "x\nb\nc\ny\n",
         "a\nx\nb\nc\nd\ny\n",
         {{0, Side::Served}, {1, Side::Live}, {4, Side::Served}, {5, Side::Live}},
         {{0, 2}, {4, 2}}},
        // A shared line keeps the served text's white space, and every line ends in LF.
        {"white space",
         "  a\r\nb",
         "a\nc",
         "  a\nb\nc\n",
         {{1, Side::Served}, {2, Side::Live}},
         {{1, 2}}},
    };
    for (const InterleaveRow& row : rows) {
        const ChangesText shown =
            InterleaveChanges(row.served, row.live, CompareLines(row.served, row.live).changes);
        EXPECT_EQ(shown.text, row.text) << row.name;
        EXPECT_EQ(shown.marks, row.marks) << row.name;
        EXPECT_EQ(shown.changes, row.changes) << row.name;
    }
}

struct StepRow {
    std::uint32_t from;
    std::optional<std::uint32_t> next;
    std::optional<std::uint32_t> previous;
};

// As Find Next: after the last change comes the first, before the first the last; a line
// inside a change goes to the one before it, not to its own start.
TEST(ChangeList, GoesToTheNextAndPreviousChangeFromALine) {
    const ChangeList changes({{2, 2}, {10, 1}, {20, 3}});
    const StepRow rows[] = {
        {0, 2, 20},  {1, 2, 20},   {2, 10, 20}, {3, 10, 20}, {4, 10, 2},  {9, 10, 2},
        {10, 20, 2}, {11, 20, 10}, {20, 2, 10}, {22, 2, 10}, {23, 2, 20}, {99, 2, 20},
    };
    for (const StepRow& row : rows) {
        EXPECT_EQ(changes.NextFrom(row.from), row.next) << row.from;
        EXPECT_EQ(changes.PreviousFrom(row.from), row.previous) << row.from;
    }
    EXPECT_EQ(ChangeList().NextFrom(0), std::nullopt);
    EXPECT_EQ(ChangeList().PreviousFrom(5), std::nullopt);
    EXPECT_EQ(ChangeList({{4, 1}}).NextFrom(4), 4u);
    EXPECT_EQ(ChangeList({{4, 1}}).PreviousFrom(4), 4u);
}

TEST(ChangesCaption, CountsTheChanges) {
    EXPECT_EQ(ChangesCaption(0), "No changes");
    EXPECT_EQ(ChangesCaption(1), "1 change");
    EXPECT_EQ(ChangesCaption(14), "14 changes");
}

struct SourceRow {
    const char* name;
    const char* served;
    const char* live;
    std::size_t changes;
};

// Both texts are compared reformatted: tags moved to other lines, another indentation or
// the serialiser's own line ends are no change; a tag or a text that differs is.
TEST(CompareSources, ComparesBothTextsReformatted) {
    const SourceRow rows[] = {
        {"same markup, other lines",
         "<!DOCTYPE html>\n<html><head>\n<title>T</title></head>\n<body><p>Hi</p></body></html>\n",
         "<!DOCTYPE html>\n<html><head><title>T</title></head><body>\n  "
         "<p>Hi</p>\n\n</body></html>",
         0},
        {"a meta and a paragraph",
         "<html><head><title>T</title></head><body><p>Old</p><div>x</div></body></html>",
         "<html><head><title>T</title><meta name=\"added\"></head><body><p>New</p><div>x</div>"
         "</body></html>",
         2},
    };
    for (const SourceRow& row : rows) {
        const SourceComparison compared = CompareSources(row.served, row.live);
        EXPECT_EQ(compared.changes.Count(), row.changes) << row.name << "\n" << compared.text;
        EXPECT_EQ(compared.note, ChangesCaption(row.changes)) << row.name;
    }
}

TEST(CompareSources, ShowsBothTextsWithoutMarksBeyondItsBounds) {
    const SourceComparison compared = CompareSources("<p>a</p>", "<p>b</p>", {1000, 0});
    EXPECT_TRUE(compared.marks.empty());
    EXPECT_EQ(compared.changes.Count(), 0u);
    EXPECT_NE(compared.note.find("too large to compare"), std::string::npos);
    EXPECT_EQ(compared.text, "[" + compared.note +
                                 "]\n[As served:]\n<p>\n  a\n</p>\n[As the page is now:]\n<p>\n"
                                 "  b\n</p>\n");
}

}  // namespace
}  // namespace quorvane
