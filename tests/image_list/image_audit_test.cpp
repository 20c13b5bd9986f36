// The Image List's audits without a display: each finding's rule at its edges, the
// summary line, the findings a row's cell shows, and the filter by finding.
#include "image_list/image_audit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "image_list/image_list_table.h"
#include "image_list/image_report.h"
#include "image_list/image_row_filter.h"
#include "image_list/image_row_order.h"

namespace quorvane {
namespace {

ImageRow Picture(std::uint32_t naturalWidth, std::uint32_t naturalHeight, std::uint32_t shownWidth,
                 std::uint32_t shownHeight, std::optional<std::uint64_t> bytes = std::nullopt,
                 std::string type = "image/png") {
    ImageRow row;
    row.address = "http://h/p";
    row.naturalWidth = naturalWidth;
    row.naturalHeight = naturalHeight;
    row.shownWidth = shownWidth;
    row.shownHeight = shownHeight;
    row.bytes = bytes;
    row.type = std::move(type);
    row.state = bytes ? ImageBytes::Picture : ImageBytes::Unknown;
    return row;
}

TEST(ImageAudit, BrokenOnlyOnceTheBytesFailedOrAreNoPicture) {
    const struct {
        ImageBytes state;
        bool broken;
    } rows[] = {
        {ImageBytes::Unknown, false},  // still coming, or never asked for
        {ImageBytes::Picture, false},
        {ImageBytes::NotPicture, true},
        {ImageBytes::Missing, true},
    };
    for (const auto& row : rows) {
        ImageRow image;
        image.state = row.state;
        EXPECT_EQ(IsBroken(image), row.broken) << static_cast<int>(row.state);
        EXPECT_EQ(HasFinding(image, ImageAudit::Broken, 1.0), row.broken);
    }
}

TEST(ImageAudit, OversizedPastFourTimesTheShownPixelsAtTheScreensScale) {
    const struct {
        ImageRow row;
        double scale;
        bool oversized;
        std::optional<std::uint64_t> saving;
    } rows[] = {
        {Picture(40, 40, 20, 20, 1600), 1.0, false, std::nullopt},  // exactly four times
        {Picture(41, 40, 20, 20, 1640), 1.0, true, 1640 - 400},
        {Picture(40, 40, 10, 10, 1600), 1.0, true, 1500},
        {Picture(40, 40, 10, 10, 1600), 2.0, false, std::nullopt},  // 20 × 20 device pixels
        {Picture(40, 40, 10, 10, 1600), 1.5, true, 1600 - 225},
        {Picture(40, 40, 10, 10), 1.0, true, std::nullopt},        // the bytes are still coming
        {Picture(40, 40, 0, 0, 1600), 1.0, false, std::nullopt},   // not shown
        {Picture(40, 40, 10, 0, 1600), 1.0, false, std::nullopt},  // no height on screen
        {Picture(0, 0, 10, 10, 1600), 1.0, false, std::nullopt},   // natural size unknown
        {Picture(4000, 4000, 10, 10, 3, "image/svg+xml"), 1.0, false, std::nullopt},
        {Picture(3, 1, 1, 1, 10), 1.0, false, std::nullopt},
        {Picture(5, 1, 1, 1, 10), 1.0, true, 8},  // what is kept is rounded up
    };
    for (const auto& row : rows) {
        const std::string name =
            std::to_string(row.row.naturalWidth) + "x" + std::to_string(row.row.naturalHeight) +
            " at " + std::to_string(row.row.shownWidth) + "x" +
            std::to_string(row.row.shownHeight) + " scale " + std::to_string(row.scale);
        EXPECT_EQ(IsOversized(row.row, row.scale), row.oversized) << name;
        EXPECT_EQ(HasFinding(row.row, ImageAudit::Oversized, row.scale), row.oversized) << name;
        EXPECT_EQ(OversizedSaving(row.row, row.scale), row.saving) << name;
    }
}

// The gatherer marks an <img> with no alt attribute; alt="" is one, and says the picture
// is decoration. A row is without alt text when any <img> of it is.
TEST(ImageAudit, WithoutAltWhenAnImgOfTheRowHasNoAltAttribute) {
    ImageListTable table;
    table.Accept(*ParseImageReport(
        R"({"frame":"f","gather":1,"items":[)"
        R"({"a":"http://h/none","k":"img","na":true},)"
        R"({"a":"http://h/empty","k":"img"},)"
        R"({"a":"http://h/titled","k":"img","t":"a title","na":true},)"
        R"({"a":"http://h/css","k":"css","na":true},)"
        R"({"a":"http://h/both","k":"css"},{"a":"http://h/both","k":"img","na":true},)"
        R"({"a":"http://h/twice","k":"img","t":"alt"},{"a":"http://h/twice","k":"img","na":true},)"
        R"({"a":"http://h/srcset","k":"srcset","na":true}]})"));
    std::vector<std::string> without;
    for (const ImageRow& row : table.List().Rows()) {
        if (IsWithoutAlt(row)) {
            without.push_back(row.address);
        }
    }
    EXPECT_EQ(without, (std::vector<std::string>{"http://h/none", "http://h/titled",
                                                 "http://h/both", "http://h/twice"}));
}

TEST(ImageAudit, DuplicateWhenAnotherAddressGivesTheSameBytes) {
    ImageList list;
    list.Accept({"f",
                 1,
                 {{.address = "a", .kind = KindBit(ImageKind::Img)},
                  {.address = "b", .kind = KindBit(ImageKind::Css)},
                  {.address = "c", .kind = KindBit(ImageKind::Css)}}});
    list.SetFacts("a", {3, "image/png", "d1"});
    list.SetFacts("b", {3, "image/png", "d1"});
    list.SetFacts("c", {3, "image/png", "d2"});
    EXPECT_TRUE(IsDuplicate(list.Rows()[0]));
    EXPECT_TRUE(IsDuplicate(list.Rows()[1]));
    EXPECT_FALSE(IsDuplicate(list.Rows()[2]));
}

// A file that never came has no bytes or type to show, however it is counted.
TEST(ImageAudit, BytesThatNeverCameLeaveTheRowWithoutBytes) {
    ImageList list;
    list.Accept({"f", 1, {{.address = "a", .kind = KindBit(ImageKind::Img)}}});
    list.SetFacts("a", {.state = ImageBytes::Missing});
    EXPECT_EQ(list.Rows()[0].bytes, std::nullopt);
    EXPECT_EQ(list.Rows()[0].state, ImageBytes::Missing);
    // The frame's next gathering makes the rows again: the bytes are not read again.
    list.Accept({.frame = "f",
                 .gather = 2,
                 .findings = {{.address = "b", .kind = KindBit(ImageKind::Img)},
                              {.address = "a", .kind = KindBit(ImageKind::Img)}},
                 .done = true});
    EXPECT_EQ(list.Rows()[0].state, ImageBytes::Unknown);
    EXPECT_EQ(list.Rows()[1].state, ImageBytes::Missing);
}

// A picture found as an <img> and as a CSS background is judged by the <img>'s place:
// the gatherer measures no place for a background.
TEST(ImageAudit, APictureFoundAsImgAndCssIsJudgedByTheImg) {
    ImageList list;
    list.Accept({"f",
                 1,
                 {{.address = "a",
                   .kind = KindBit(ImageKind::Css),
                   .naturalWidth = 40,
                   .naturalHeight = 40},
                  {.address = "a",
                   .kind = KindBit(ImageKind::Img),
                   .naturalWidth = 40,
                   .naturalHeight = 40,
                   .shownWidth = 10,
                   .shownHeight = 10},
                  {.address = "css only",
                   .kind = KindBit(ImageKind::Css),
                   .naturalWidth = 40,
                   .naturalHeight = 40}}});
    EXPECT_TRUE(IsOversized(list.Rows()[0], 1.0));
    EXPECT_FALSE(IsOversized(list.Rows()[1], 1.0));
}

TEST(ImageAuditText, SaysTheFindingsThereAre) {
    const struct {
        ImageAuditSummary summary;
        const char* text;
    } rows[] = {
        {{}, ""},
        {{3, 12, 1400000, 7, 0}, "3 broken, 12 oversized (1.4\u00A0MB), 7 without alt text"},
        {{0, 2, 0, 0, 0}, "2 oversized"},  // the bytes not known yet
        {{0, 1, 900, 0, 1}, "1 oversized (900 bytes), 1 duplicate"},
        {{1, 0, 0, 0, 2}, "1 broken, 2 duplicates"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ImageAuditText(row.summary), row.text);
    }
}

TEST(ImageAuditText, SumsTheRowsAndTheirSavings) {
    ImageRow broken;
    broken.state = ImageBytes::Missing;
    broken.withoutAlt = true;
    ImageRow duplicate = Picture(10, 10, 10, 10, 100);
    duplicate.sameBytes = true;
    const std::vector<ImageRow> rows{broken, Picture(40, 40, 10, 10, 1600000),
                                     Picture(40, 40, 10, 10), duplicate,
                                     Picture(40, 40, 10, 10, 16000)};
    const ImageAuditSummary summary = SumAudits(rows, 1.0);
    EXPECT_EQ(ImageAuditText(summary),
              "1 broken, 3 oversized (1.5\u00A0MB), 1 without alt text, 1 duplicate");
    EXPECT_EQ(summary.oversizedSaving, 1500000u + 15000u);
    EXPECT_EQ(SumAudits(rows, 2.0).oversized, 0u);
    EXPECT_EQ(ImageCellText(rows[0], ImageColumn::Findings), "broken, no alt text");
    EXPECT_EQ(ImageCellText(rows[1], ImageColumn::Findings), "oversized (1.5\u00A0MB)");
    EXPECT_EQ(ImageCellText(rows[2], ImageColumn::Findings), "oversized");
    EXPECT_EQ(ImageCellText(rows[1], ImageColumn::Findings, 2.0), "");
    EXPECT_EQ(ImageCellText(rows[3], ImageColumn::Findings), "duplicate");
}

// The summary is counted again when the facts come: a file that fails later makes one
// more broken picture.
TEST(ImageAuditText, FollowsTheTablesRowsAndFacts) {
    ImageListTable table;
    EXPECT_EQ(table.AuditText(), "");
    table.Accept({"f",
                  1,
                  {{.address = "a",
                    .kind = KindBit(ImageKind::Img),
                    .naturalWidth = 40,
                    .naturalHeight = 40,
                    .shownWidth = 10,
                    .shownHeight = 10,
                    .withoutAlt = true}}});
    EXPECT_EQ(table.AuditText(), "1 oversized, 1 without alt text");
    table.SetFacts("a", {1600, "image/png", "d"});
    EXPECT_EQ(table.AuditText(), "1 oversized (1.5\u00A0kB), 1 without alt text");
    table.SetScreenScale(2.0);
    EXPECT_EQ(table.AuditText(), "1 without alt text");
    table.Clear();
    EXPECT_EQ(table.AuditText(), "");
}

TEST(ImageRowFilter, LetsThroughTheRowsOfAFinding) {
    ImageRow fine = Picture(10, 10, 10, 10, 100);
    ImageRow broken;
    broken.state = ImageBytes::NotPicture;
    ImageRow coming;  // its bytes not read yet
    ImageRow without = Picture(10, 10, 10, 10, 100);
    without.withoutAlt = true;
    ImageRow duplicate = Picture(10, 10, 10, 10, 100);
    duplicate.sameBytes = true;
    const std::vector<ImageRow> rows{fine,    broken,   coming, Picture(40, 40, 10, 10, 1600),
                                     without, duplicate};
    const struct {
        ImageAudit audit;
        double scale;
        std::vector<std::size_t> shown;
    } cases[] = {
        {ImageAudit::Any, 1.0, {0, 1, 2, 3, 4, 5}}, {ImageAudit::Broken, 1.0, {1}},
        {ImageAudit::Oversized, 1.0, {3}},          {ImageAudit::Oversized, 2.0, {}},
        {ImageAudit::WithoutAlt, 1.0, {4}},         {ImageAudit::Duplicate, 1.0, {5}},
    };
    for (const auto& row : cases) {
        ImageRowFilter filter({.audit = row.audit}, row.scale);
        EXPECT_EQ(filter.Shown(rows), row.shown) << static_cast<int>(row.audit);
    }
    ImageRowFilter both({.type = "png", .audit = ImageAudit::Duplicate});
    EXPECT_EQ(both.Shown(rows), (std::vector<std::size_t>{5}));
}

TEST(SortRows, SortsByFindingsTheWorstLast) {
    ImageRow broken;
    broken.state = ImageBytes::Missing;
    ImageRow without = Picture(10, 10, 10, 10, 100);
    without.withoutAlt = true;
    const std::vector<ImageRow> rows{broken, Picture(40, 40, 10, 10, 1600), without,
                                     Picture(10, 10, 10, 10, 100), Picture(80, 80, 10, 10, 6400)};
    std::vector<std::size_t> shown{0, 1, 2, 3, 4};
    SortRows(rows, shown, ImageColumn::Findings, true);
    EXPECT_EQ(shown, (std::vector<std::size_t>{3, 2, 1, 4, 0}));
    SortRows(rows, shown, ImageColumn::Findings, true, 4.0);  // none is oversized
    EXPECT_EQ(shown, (std::vector<std::size_t>{1, 3, 4, 2, 0}));
}

// A filter by a finding shows a row once its facts make the finding.
TEST(ImageListTable, ShowsTheRowsOfAFindingAsTheirFactsCome) {
    ImageListTable table;
    table.SetFilter({.audit = ImageAudit::Broken});
    table.Accept({"f",
                  1,
                  {{.address = "a", .kind = KindBit(ImageKind::Img)},
                   {.address = "b", .kind = KindBit(ImageKind::Img)}}});
    EXPECT_TRUE(table.Shown().empty());
    table.SetFacts("b", {.state = ImageBytes::Missing});
    EXPECT_EQ(table.Shown(), (std::vector<std::size_t>{1}));
    EXPECT_EQ(table.CountText(), "1 of 2 images");
}

}  // namespace
}  // namespace quorvane
