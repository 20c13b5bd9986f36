// The comparison of the served and the live text, line by line, and its bounds.
#include "source_changes/line_changes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

struct SplitRow {
    const char* text;
    std::vector<std::string_view> lines;
};

TEST(SplitLines, EndsALineAtEachEndTheViewerCounts) {
    const SplitRow rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}},
        {"\n", {""}},
        {"a\r", {"a"}},
    };
    for (const SplitRow& row : rows) {
        EXPECT_EQ(SplitLines(row.text), row.lines) << row.text;
    }
}

struct CompareRow {
    const char* name;
    const char* served;
    const char* live;
    std::vector<LineChange> changes;
};

TEST(CompareLines, FindsEachStretchThatDiffers) {
    const CompareRow rows[] = {
        {"same", "a\nb\nc\n", "a\nb\nc\n", {}},
        {"both empty", "", "", {}},
        {"line added in the middle", "a\nb\nc\n", "a\nb\nnew\nc\n", {{2, 0, 2, 1}}},
        {"line removed", "a\nb\nc\n", "a\nc\n", {{1, 1, 1, 0}}},
        {"line replaced", "a\nb\nc\n", "a\nB\nc\n", {{1, 1, 1, 1}}},
        {"added at the start", "b\n", "a\nb\n", {{0, 0, 0, 1}}},
        {"added at the end", "a\n", "a\nb\n", {{1, 0, 1, 1}}},
        {"all new", "", "a\nb\n", {{0, 0, 0, 2}}},
        {"all gone", "a\nb\n", "", {{0, 2, 0, 0}}},
        {"two stretches", "a\nb\nc\nd\ne\n", "a\nX\nc\nd\nY\nZ\n", {{1, 1, 1, 1}, {4, 1, 4, 2}}},
        // Re-indenting and another line end are no change.
        {"white space at the edges", "  <p>\n\t<b>\r\n", "<p>  \n      <b>\n", {}},
        {"white space inside counts", "<p a=1>\n", "<p  a=1>\n", {{0, 1, 0, 1}}},
        // The shared end is not taken from the shared start: "a a" against "a".
        {"repeated lines", "a\na\n", "a\n", {{1, 1, 1, 0}}},
        // The engine writes a doctype back in its own letter case and spacing.
        {"doctype's case", "<!doctype html>\n<p>\n", "<!DOCTYPE html>\n<p>\n", {}},
        {"doctype name's case", "<!DOCTYPE HTML>\n", "<!DOCTYPE html>\n", {}},
        {"doctype's spacing", "<!DOCTYPE   html >\n", "<!DOCTYPE html>\n", {}},
        {"doctype's identifiers count",
         "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n",
         "<!DOCTYPE html PUBLIC \"-//w3c//dtd html 4.01//en\">\n",
         {{0, 1, 0, 1}}},
        {"another doctype counts", "<!DOCTYPE html>\n", "<!DOCTYPE svg>\n", {{0, 1, 0, 1}}},
        {"case elsewhere counts", "<P>\n", "<p>\n", {{0, 1, 0, 1}}},
    };
    for (const CompareRow& row : rows) {
        const LineComparison compared = CompareLines(row.served, row.live);
        EXPECT_EQ(compared.outcome, LineComparison::Outcome::Compared) << row.name;
        EXPECT_EQ(compared.changes, row.changes) << row.name;
    }
}

struct BoundsRow {
    const char* name;
    std::string served;
    std::string live;
    ChangeBounds bounds;
    LineComparison::Outcome outcome;
};

std::string Lines(const char* prefix, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += prefix + std::to_string(i) + "\n";
    }
    return text;
}

// The lines both texts share at their edges are not counted against the bound, only the
// stretch between them, and only as pairs of its lines; bytes count for each text whole.
TEST(CompareLines, SaysSoBeyondItsBounds) {
    const std::string shared = Lines("same", 1000);
    const BoundsRow rows[] = {
        {"pairs at the bound",
         Lines("a", 10),
         Lines("b", 10),
         {1000, 100},
         LineComparison::Outcome::Compared},
        {"pairs past the bound",
         Lines("a", 10),
         Lines("b", 11),
         {1000, 100},
         LineComparison::Outcome::TooLarge},
        {"shared lines not counted",
         shared + Lines("a", 10) + shared,
         shared + Lines("b", 10) + shared,
         {1 << 20, 100},
         LineComparison::Outcome::Compared},
        {"added lines only cost nothing",
         shared,
         shared + Lines("b", 500),
         {1 << 20, 100},
         LineComparison::Outcome::Compared},
        {"bytes at the bound",
         std::string(100, 'a'),
         std::string(100, 'b'),
         {100, 100},
         LineComparison::Outcome::Compared},
        {"served past the bytes",
         std::string(101, 'a'),
         "b",
         {100, 100},
         LineComparison::Outcome::TooLarge},
        {"live past the bytes",
         "a",
         std::string(101, 'b'),
         {100, 100},
         LineComparison::Outcome::TooLarge},
    };
    for (const BoundsRow& row : rows) {
        const LineComparison compared = CompareLines(row.served, row.live, row.bounds);
        EXPECT_EQ(compared.outcome, row.outcome) << row.name;
        if (row.outcome == LineComparison::Outcome::TooLarge) {
            EXPECT_TRUE(compared.changes.empty()) << row.name;
            EXPECT_NE(compared.why.find("too large to compare"), std::string::npos) << row.name;
        } else {
            EXPECT_FALSE(compared.changes.empty()) << row.name;
        }
    }
}

// Every served line is either shared or in a change, and so is every live line: the
// changes, in order, account for both texts.
TEST(CompareLines, ChangesAccountForEveryLineOfBothTexts) {
    const std::string served = Lines("x", 300) + Lines("keep", 50) + Lines("y", 100);
    std::string live;
    for (int i = 0; i < 300; i += 3) {
        live += "x" + std::to_string(i) + "\n" + "new" + std::to_string(i) + "\n";
    }
    live += Lines("keep", 50) + Lines("z", 20);
    const LineComparison compared = CompareLines(served, live);
    ASSERT_EQ(compared.outcome, LineComparison::Outcome::Compared);
    std::uint32_t servedAt = 0;
    std::uint32_t liveAt = 0;
    for (const LineChange& change : compared.changes) {
        ASSERT_GE(change.servedFirst, servedAt);
        // The lines between two changes are shared: as many on each side.
        EXPECT_EQ(change.servedFirst - servedAt, change.liveFirst - liveAt);
        EXPECT_GT(change.servedCount + change.liveCount, 0u);
        servedAt = change.servedFirst + change.servedCount;
        liveAt = change.liveFirst + change.liveCount;
    }
    EXPECT_EQ(SplitLines(served).size() - servedAt, SplitLines(live).size() - liveAt);
}

}  // namespace
}  // namespace quorvane
