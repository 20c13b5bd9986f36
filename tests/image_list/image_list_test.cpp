// The Image List without a display: the gatherer's reports read as hostile, the rows
// merged and bounded, their order, filter, count and export.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image_list/image_list.h"
#include "image_list/image_list_export.h"
#include "image_list/image_list_table.h"
#include "image_list/image_report.h"
#include "image_list/image_row_filter.h"
#include "image_list/image_row_order.h"
#include "image_list/thumbnail_slots.h"

namespace quorvane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A report as the gatherer sends it; false when it cannot be read.
bool Accept(ImageListTable& table, std::string_view json) {
    std::optional<ImageReport> report = ParseImageReport(json);
    if (report) {
        table.Accept(std::move(*report));
    }
    return report.has_value();
}

ImageFinding Found(std::string address, ImageKind kind, std::uint32_t width = 0,
                   std::uint32_t height = 0) {
    ImageFinding finding;
    finding.address = std::move(address);
    finding.kind = KindBit(kind);
    finding.naturalWidth = width;
    finding.naturalHeight = height;
    return finding;
}

ImageReport Report(std::string frame, std::uint32_t gather, std::vector<ImageFinding> findings) {
    return {std::move(frame), gather, std::move(findings)};
}

std::vector<std::string> Addresses(const std::vector<ImageRow>& rows) {
    std::vector<std::string> addresses;
    for (const ImageRow& row : rows) {
        addresses.push_back(row.address);
    }
    return addresses;
}

TEST(ImageReport, ReadsWhatTheGathererSendsAndBoundsTheRest) {
    const std::string longAddress =
        "data:image/png;base64," + std::string(kMaxImageAddressBytes, 'A');
    const std::string longText = std::string(kMaxImageTextBytes - 1, 't') + "\xC3\xA9";
    const struct {
        std::string json;
        std::vector<std::string> addresses;  // "|"-joined facts of each finding read
    } rows[] = {
        {R"({"frame":"f1","gather":2,"items":[{"a":"http://h/a.png","k":"img","nw":10,"nh":20,)"
         R"("sw":5,"sh":6,"t":"alt","d":"2x","g":"s1"}]})",
         {"http://h/a.png|img|10x20|5x6|alt|2x|s1|whole"}},
        // No address, an empty one, one of another type, an unknown kind: dropped.
        {R"({"items":[{"k":"img"},{"a":"","k":"img"},{"a":7,"k":"css"},{"a":"x","k":"?"},)"
         R"({"a":"http://h/b.png","k":"css"}]})",
         {"http://h/b.png|css|0x0|0x0||||whole"}},
        // Sizes that are no whole number in range are 0; a fraction is cut.
        {R"({"items":[{"a":"u","k":"lazy","nw":-1,"nh":1e12,"sw":"3","sh":2.7}]})",
         {"u|lazy|0x0|0x2||||whole"}},
        {R"({"items":[{"a":")" + longAddress + R"(","k":"css","t":")" + longText + R"("}]})",
         {"data:image/png;base64,AAA|css|0x0|0x0|" + std::to_string(kMaxImageTextBytes - 1) +
          "|||cut"}},
        {R"({"items":[{"a":"u","k":"svg","cut":true}]})", {"u|svg|0x0|0x0||||cut"}},
    };
    for (const auto& row : rows) {
        const std::optional<ImageReport> report = ParseImageReport(row.json);
        ASSERT_TRUE(report) << row.json.substr(0, 80);
        std::vector<std::string> read;
        for (const ImageFinding& f : report->findings) {
            const std::string text = f.text.size() > 100 ? std::to_string(f.text.size()) : f.text;
            read.push_back((f.cut ? f.address.substr(0, 25) : f.address) + "|" + KindNames(f.kind) +
                           "|" + std::to_string(f.naturalWidth) + "x" +
                           std::to_string(f.naturalHeight) + "|" + std::to_string(f.shownWidth) +
                           "x" + std::to_string(f.shownHeight) + "|" + text + "|" + f.descriptor +
                           "|" + f.group + "|" + (f.cut ? "cut" : "whole"));
            EXPECT_LE(f.address.size(), kMaxImageAddressBytes);
        }
        EXPECT_EQ(read, row.addresses) << row.json.substr(0, 80);
    }
    for (const std::string broken : {"", "[]", "{", "\"text\"", "{\"items\":[1,]}"}) {
        EXPECT_FALSE(ParseImageReport(broken)) << broken;
    }
    EXPECT_FALSE(ParseImageReport(std::string(kMaxImageReportBytes + 1, ' ')));
}

// The sizes the gatherer measured after reporting the images: each must name an address,
// and a size that is no whole number in range is 0, as a finding's is.
TEST(ImageReport, ReadsMeasuredSizesAsHostileAsFindings) {
    const struct {
        std::string json;
        std::vector<MeasuredSize> sizes;
    } rows[] = {
        {R"({"frame":"f","gather":1,"sizes":[["http://h/a.png",64,32]]})",
         {{"http://h/a.png", 64, 32}}},
        {R"({"sizes":[["u",-1,1e12],["v","3",2.7]]})", {{"u", 0, 0}, {"v", 0, 2}}},
        // Not [address, width, height], or no address: dropped.
        {R"({"sizes":[["u",1],["u",1,2,3],[7,1,2],["",1,2],{"a":"u"},"u"]})", {}},
        // A report of sizes carries no findings, whatever else it holds.
        {R"({"sizes":[["u",1,2]],"items":[{"a":"x","k":"img"}]})", {{"u", 1, 2}}},
    };
    for (const auto& row : rows) {
        const std::optional<ImageReport> report = ParseImageReport(row.json);
        ASSERT_TRUE(report) << row.json;
        EXPECT_TRUE(report->ofSizes) << row.json;
        EXPECT_EQ(report->sizes, row.sizes) << row.json;
        EXPECT_TRUE(report->findings.empty()) << row.json;
    }
    std::string many = R"({"sizes":[)";
    for (std::size_t i = 0; i <= kMaxFindingsPerReport; ++i) {
        many += std::string(i == 0 ? "" : ",") + R"(["u",1,1])";
    }
    EXPECT_EQ(ParseImageReport(many + "]}")->sizes.size(), kMaxFindingsPerReport);
}

// Rows come as soon as the walk finds them; the sizes the gatherer measures by loading an
// image come later and must reach the row, stay through the frame's next gathering, and
// never make a row of their own.
TEST(ImageList, TakesSizesMeasuredAfterTheRowsCame) {
    ImageList list;
    list.Accept(Report("top", 1, {Found("http://h/a.png", ImageKind::Css),
                                  Found("http://h/b.png", ImageKind::Img, 10, 10)}));
    ImageReport sizes;
    sizes.frame = "top";
    sizes.gather = 1;
    sizes.ofSizes = true;
    sizes.sizes = {{"http://h/a.png", 300, 200}, {"http://h/b.png", 4, 4}, {"http://h/x.png", 9, 9}};
    const auto changed = list.Accept(sizes);
    ASSERT_TRUE(changed);
    EXPECT_THAT(*changed, ElementsAre(0u, 1u));
    EXPECT_THAT(Addresses(list.Rows()), ElementsAre("http://h/a.png", "http://h/b.png"));
    EXPECT_EQ(std::tie(list.Rows()[0].naturalWidth, list.Rows()[0].naturalHeight),
              std::make_tuple(300u, 200u));
    // The <img>'s own size is the engine's: a smaller measure does not shrink it.
    EXPECT_EQ(list.Rows()[1].naturalWidth, 10u);

    ImageReport again = Report("top", 2, {Found("http://h/a.png", ImageKind::Css)});
    again.done = true;
    list.Accept(again);
    ASSERT_THAT(Addresses(list.Rows()), ElementsAre("http://h/a.png"));
    EXPECT_EQ(list.Rows()[0].naturalWidth, 300u);
    EXPECT_FALSE(list.PageGathering());
    list.Clear();
    list.Accept(Report("top", 1, {Found("http://h/a.png", ImageKind::Css)}));
    EXPECT_EQ(list.Rows()[0].naturalWidth, 0u);
}

TEST(ImageList, MergesUsesByAddressAndReplacesAFramesEarlierGathering) {
    ImageList list;
    ImageFinding lazy = Found("http://h/b.png", ImageKind::Lazy);
    lazy.text = "first text";
    ImageFinding shown = Found("http://h/b.png", ImageKind::Img, 40, 30);
    shown.shownWidth = 20;
    shown.shownHeight = 15;
    shown.text = "second text";
    list.Accept(Report("top", 1, {Found("http://h/a.png", ImageKind::Css), lazy, shown}));
    list.Accept(Report("frame", 1, {Found("http://h/a.png", ImageKind::Icon)}));
    ASSERT_THAT(Addresses(list.Rows()), ElementsAre("http://h/a.png", "http://h/b.png"));
    const ImageRow& b = list.Rows()[1];
    EXPECT_EQ(KindNames(b.kinds), "img, lazy");
    EXPECT_EQ(b.uses, 2u);
    EXPECT_EQ(b.text, "first text");
    EXPECT_EQ(std::tie(b.naturalWidth, b.naturalHeight, b.shownWidth, b.shownHeight),
              std::make_tuple(40u, 30u, 20u, 15u));
    EXPECT_EQ(list.Rows()[0].uses, 2u);

    // The top frame gathers again: its earlier rows stay until the new gathering's last
    // report, then its earlier findings go and the other frame's stay; a late slice of
    // the earlier gathering is dropped.
    list.Accept(Report("top", 2, {Found("http://h/c.png", ImageKind::Img)}));
    list.Accept(Report("top", 1, {Found("http://h/late.png", ImageKind::Img)}));
    EXPECT_THAT(Addresses(list.Rows()), ElementsAre("http://h/a.png", "http://h/b.png"));
    ImageReport last = Report("top", 2, {Found("http://h/d.png", ImageKind::Img)});
    last.done = true;
    EXPECT_EQ(list.Accept(last), std::nullopt);
    list.Accept(Report("top", 2, {Found("http://h/late.png", ImageKind::Img)}));
    EXPECT_THAT(Addresses(list.Rows()),
                ElementsAre("http://h/c.png", "http://h/d.png", "http://h/a.png", "http://h/late.png"));
    EXPECT_EQ(KindNames(list.Rows()[2].kinds), "icon");
    EXPECT_EQ(list.Rows()[2].uses, 1u);
}

TEST(ImageList, MarksAddressesThatGiveTheSameBytes) {
    ImageList list;
    list.Accept(Report(
        "top", 1,
        {Found("a", ImageKind::Img), Found("b", ImageKind::Img), Found("c", ImageKind::Img)}));
    list.SetFacts("a", {10, "image/png", "d1"});
    list.SetFacts("a", {10, "image/png", "d1"});
    EXPECT_FALSE(list.Rows()[0].sameBytes);
    list.SetFacts("c", {10, "image/png", "d1"});
    list.SetFacts("b", {12, "image/gif", "d2"});
    list.SetFacts("not in the list", {10, "image/png", "d2"});
    EXPECT_EQ(std::vector<bool>(
                  {list.Rows()[0].sameBytes, list.Rows()[1].sameBytes, list.Rows()[2].sameBytes}),
              std::vector<bool>({true, false, true}));
    EXPECT_EQ(list.Rows()[1].bytes, 12u);
    EXPECT_EQ(list.Rows()[1].type, "image/gif");
}

TEST(ImageList, StopsAtItsBoundAndSaysSo) {
    ImageList list;
    std::vector<ImageFinding> findings;
    for (std::size_t n = 0; n <= ImageList::kMaxRows; ++n) {
        findings.push_back(Found("u" + std::to_string(n), ImageKind::Img));
        if (findings.size() == kMaxFindingsPerReport) {
            list.Accept(Report("top", 1, std::move(findings)));
            findings.clear();
        }
    }
    list.Accept(Report("top", 1, std::move(findings)));
    EXPECT_EQ(list.Rows().size(), ImageList::kMaxRows);
    EXPECT_TRUE(list.Stopped());
    // A use of an address the list holds still counts.
    list.Accept(Report("top", 1, {Found("u0", ImageKind::Css)}));
    list.Clear();
    EXPECT_FALSE(list.Stopped());
    EXPECT_TRUE(list.Rows().empty());
    // The gatherer stops sending at the same bound, and says so.
    list.Accept(*ParseImageReport(R"({"frame":"f","gather":1,"stopped":true,"items":[]})"));
    EXPECT_TRUE(list.Stopped());
}

// The page's own document gathers until its gathering's last report, a later gathering
// beginning anew; a late report of an earlier gathering ends nothing, and a frame within
// the page, which may stop midway for good, is not waited for.
TEST(ImageList, PageGathersUntilItsLastReport) {
    const struct {
        std::vector<const char*> reports;  // frame ("t" the page's own), gathering, "d" last
        bool gathering;
    } rows[] = {
        {{}, false},           {{"t1"}, true},          {{"t1", "t1d"}, false},
        {{"t1d", "t2"}, true}, {{"t1d", "t2d"}, false}, {{"t2", "t1d"}, true},
        {{"f1"}, false},       {{"t1d", "f1"}, false},  {{"f1", "t1"}, true},
    };
    for (const auto& row : rows) {
        ImageList list;
        std::string order;
        for (const std::string report : row.reports) {
            list.Accept(*ParseImageReport(
                R"({"frame":")" + report.substr(0, 1) + R"(","top":)" +
                (report[0] == 't' ? "true" : "false") + R"(,"gather":)" + report.substr(1, 1) +
                R"(,"done":)" + (report.size() > 2 ? "true" : "false") + R"(,"items":[]})"));
            order += report + " ";
        }
        EXPECT_EQ(list.PageGathering(), row.gathering) << order;
    }
}

// The page's own document measures the images no <img> shows until its latest gathering
// says it measures none any more, even in a report without sizes; a late word of an
// earlier gathering, a plain report of sizes, a frame within the page or a report of
// findings that says so end nothing.
TEST(ImageList, PageMeasuresUntilItsLatestGatheringSaysItIsDone) {
    const struct {
        // frame ("t" the page's own), gathering, then "d" its last findings, "s" sizes, "m"
        // sizes saying the measuring ended
        std::vector<const char*> reports;
        bool measuring;
    } rows[] = {
        {{}, false},
        {{"t1"}, true},
        {{"t1", "t1m"}, false},
        {{"t1", "t1s"}, true},
        {{"t1", "t1m", "t2"}, true},
        {{"t1", "t2", "t1m"}, true},
        {{"t1", "t2d", "t2m"}, false},
        {{"t1", "t2", "t2m"}, false},
        {{"f1"}, false},
        {{"t1", "f1", "f1m"}, true},
        {{"t1", "t1M"}, true},
    };
    for (const auto& row : rows) {
        ImageList list;
        std::string order;
        for (const std::string report : row.reports) {
            const std::string head = R"({"frame":")" + report.substr(0, 1) + R"(","top":)" +
                                     (report[0] == 't' ? "true" : "false") + R"(,"gather":)" +
                                     report.substr(1, 1);
            const char kind = report.size() > 2 ? report[2] : ' ';
            const std::string tail =
                kind == 'm'   ? R"(,"sizes":[],"measured":true})"
                : kind == 's' ? R"(,"sizes":[["http://h/a.png",1,1]]})"
                : kind == 'M' ? R"(,"measured":true,"items":[]})"
                              : std::string(R"(,"done":)") + (kind == 'd' ? "true" : "false") +
                                    R"(,"items":[{"a":"http://h/a.png","k":"css"}]})";
            list.Accept(*ParseImageReport(head + tail));
            order += report + " ";
        }
        EXPECT_EQ(list.PageMeasuring(), row.measuring) << order;
        EXPECT_EQ(list.Rows().size(), row.reports.empty() ? 0u : 1u) << order;
    }
}

// A gathering made again marks the rows of one digest as it found them, however many of
// one picture the page holds, and no longer a row its new gathering left out.
TEST(ImageList, MarksTheSameBytesAgainAfterAGatheringMadeAgain) {
    ImageList list;
    list.Accept(Report("top", 1,
                       {Found("a", ImageKind::Img), Found("b", ImageKind::Img),
                        Found("c", ImageKind::Img), Found("d", ImageKind::Img)}));
    list.SetFacts("a", {10, "image/png", "d1"});
    list.SetFacts("b", {10, "image/png", "d1"});
    list.SetFacts("c", {10, "image/png", "d2"});
    list.SetFacts("d", {10, "image/png", "d2"});
    ImageReport again = Report(
        "top", 2,
        {Found("d", ImageKind::Img), Found("a", ImageKind::Img), Found("b", ImageKind::Img)});
    again.done = true;
    EXPECT_FALSE(list.Accept(again));
    ASSERT_THAT(Addresses(list.Rows()), ElementsAre("d", "a", "b"));
    EXPECT_EQ(std::vector<bool>(
                  {list.Rows()[0].sameBytes, list.Rows()[1].sameBytes, list.Rows()[2].sameBytes}),
              std::vector<bool>({false, true, true}));
}

std::vector<ImageRow> FilterRows() {
    ImageList list;
    list.Accept(Report("top", 1,
                       {Found("http://h/Photo.PNG", ImageKind::Img, 800, 600),
                        Found("http://h/icon.png?size=16", ImageKind::Icon, 16, 16),
                        Found("http://h/anim.gif", ImageKind::Css, 300, 50),
                        Found("data:image/svg+xml,<svg/>", ImageKind::InlineSvg)}));
    list.SetFacts("http://h/Photo.PNG", {5000, "image/png", ""});
    list.SetFacts("http://h/icon.png?size=16", {100, "image/png", ""});
    list.SetFacts("http://h/anim.gif", {900, "image/gif", ""});
    list.SetFacts("data:image/svg+xml,<svg/>", {6, "image/svg+xml", ""});
    return list.Rows();
}

TEST(ImageRowFilter, LetsThroughByAddressTypeAndSize) {
    const std::vector<ImageRow> rows = FilterRows();
    const struct {
        ImageFilterSettings settings;
        std::vector<std::size_t> shown;
    } cases[] = {
        {{}, {0, 1, 2, 3}},
        {{.text = "png"}, {0, 1}},
        {{.text = ".PNG?"}, {1}},
        {{.text = "png$", .regularExpression = true}, {0}},
        {{.text = "^data:|gif", .regularExpression = true}, {2, 3}},
        {{.type = "png"}, {0, 1}},
        {{.type = "IMAGE/GIF"}, {2}},
        {{.type = "svg"}, {3}},
        {{.minimumWidth = 300}, {0, 2}},
        {{.minimumWidth = 300, .minimumHeight = 51}, {0}},
        {{.text = "h/", .type = "png", .minimumHeight = 17}, {0}},
    };
    for (const auto& row : cases) {
        ImageRowFilter filter(row.settings);
        EXPECT_EQ(filter.Error(), "");
        EXPECT_EQ(filter.Shown(rows), row.shown) << row.settings.text << "/" << row.settings.type;
    }
    ImageRowFilter bad({.text = "(", .regularExpression = true});
    EXPECT_NE(bad.Error(), "");
    EXPECT_TRUE(bad.Shown(rows).empty());
}

TEST(ImageRowFilter, SearchesOnlyTheBeginningOfAHugeAddress) {
    ImageRow row;
    row.address = "data:image/png;base64," + std::string(1 << 20, 'A') + "needle";
    EXPECT_FALSE(ImageRowFilter({.text = "needle"}).Matches(row));
    EXPECT_FALSE(ImageRowFilter({.text = "needle", .regularExpression = true}).Matches(row));
    EXPECT_TRUE(ImageRowFilter({.text = "BASE64,aaa"}).Matches(row));
}

TEST(ImageCountText, SaysHowManyOfHowMany) {
    const struct {
        std::size_t shown, total;
        bool stopped;
        const char* text;
    } rows[] = {
        {0, 0, false, "0 images"},
        {1204, 1204, false, "1 204 images"},
        {312, 1204, false, "312 of 1 204 images"},
        {999, 1000000, false, "999 of 1 000 000 images"},
        {50000, 50000, true,
         "50 000 images; the page names more than the list holds (50 000 images, 256 MB)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ImageCountText(row.shown, row.total, row.stopped), row.text);
    }
}

TEST(SortRows, SortsByEveryColumnBothWaysKeepingTheFoundOrderOfEquals) {
    const std::vector<ImageRow> rows = FilterRows();
    const struct {
        ImageColumn column;
        bool ascending;
        std::vector<std::size_t> order;
    } cases[] = {
        {ImageColumn::Address, true, {3, 0, 2, 1}},
        {ImageColumn::Kinds, true, {2, 1, 0, 3}},
        // 800×600, 16×16, 300×50, 0×0
        {ImageColumn::NaturalSize, true, {3, 1, 2, 0}},
        {ImageColumn::NaturalSize, false, {0, 2, 1, 3}},
        {ImageColumn::ShownSize, false, {0, 1, 2, 3}},
        {ImageColumn::Bytes, true, {3, 1, 2, 0}},
        {ImageColumn::Type, true, {2, 0, 1, 3}},
        {ImageColumn::Type, false, {3, 0, 1, 2}},
        {ImageColumn::Uses, false, {0, 1, 2, 3}},
    };
    for (const auto& row : cases) {
        std::vector<std::size_t> shown{0, 1, 2, 3};
        SortRows(rows, shown, row.column, row.ascending);
        EXPECT_EQ(shown, row.order) << static_cast<int>(row.column) << row.ascending;
    }
}

TEST(ImageListTable, ShowsTheFilteredSortedRowsAndTheirCells) {
    ImageListTable table;
    ASSERT_TRUE(Accept(table,
                       R"({"frame":"f","gather":1,"items":[)"
                       R"({"a":"http://h/a.png","k":"img","nw":800,"nh":600,"d":"2x"},)"
                       R"({"a":"http://h/b.gif","k":"css"},{"a":"http://h/a.png","k":"lazy"}]})"));
    table.SetFacts("http://h/a.png", {12345, "image/png", "d"});
    EXPECT_EQ(table.CountText(), "2 images");
    table.SortBy(ImageColumn::Address, false);
    EXPECT_EQ(table.ShownRow(0).address, "http://h/b.gif");
    const ImageRow& a = table.ShownRow(1);
    const struct {
        ImageColumn column;
        const char* text;
    } cells[] = {
        {ImageColumn::Address, "http://h/a.png"},
        {ImageColumn::Kinds, "img, lazy 2x"},
        {ImageColumn::NaturalSize, "800 \u00D7 600"},
        {ImageColumn::ShownSize, "0 \u00D7 0"},
        {ImageColumn::Bytes, "12345"},
        {ImageColumn::Type, "image/png"},
        {ImageColumn::Uses, "2"},
    };
    for (const auto& cell : cells) {
        EXPECT_EQ(ImageCellText(a, cell.column), cell.text);
    }
    ImageRow huge;
    huge.address = std::string(kMaxShownAddress + 5, 'x');
    EXPECT_EQ(ImageCellText(huge, ImageColumn::Address),
              std::string(kMaxShownAddress, 'x') + "\u2026");

    table.SetFilter({.text = "gif"});
    EXPECT_EQ(table.CountText(), "1 of 2 images");
    table.SetFilter({.text = "[", .regularExpression = true});
    EXPECT_EQ(table.CountText(), "Bad expression: missing terminating ] for character class");
    EXPECT_TRUE(table.Shown().empty());

    table.Clear();
    table.SetFilter({});
    EXPECT_EQ(table.CountText(), "0 images");
}

TEST(ImageListTable, SaysAnExpressionIsTooCostlyAndShowsNoRow) {
    ImageListTable table;
    ASSERT_TRUE(Accept(
        table, R"({"frame":"f","gather":1,"items":[)"
               R"({"a":"http://h/a.png","k":"img"},)"
               R"({"a":"http://h/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.png","k":"img"}]})"));
    table.SetFilter({.text = "(\\w|\\w)+\\d", .regularExpression = true});
    EXPECT_EQ(table.CountText(), "The expression is too costly for this page");
    EXPECT_TRUE(table.Shown().empty());
    // More rows of the page leave it too costly; another filter, or a new page, tries again.
    ASSERT_TRUE(
        Accept(table, R"({"frame":"g","gather":1,"items":[{"a":"http://h/1.png","k":"img"}]})"));
    EXPECT_EQ(table.CountText(), "The expression is too costly for this page");
    table.SetFilter({.text = "a+\\.png$", .regularExpression = true});
    EXPECT_EQ(table.CountText(), "2 of 3 images");
}

// The table is shown before the files' facts come: those the order or the filter reads
// show the rows again in their new order.
TEST(ImageListTable, ShowsTheRowsAgainWhenFactsTheOrderOrFilterReadsCome) {
    const struct {
        ImageColumn column;
        ImageFilterSettings filter;
        std::vector<std::string> before, after;
    } cases[] = {
        {ImageColumn::Bytes, {}, {"http://h/a", "http://h/b"}, {"http://h/b", "http://h/a"}},
        {ImageColumn::Type, {}, {"http://h/a", "http://h/b"}, {"http://h/b", "http://h/a"}},
        {ImageColumn::Address, {.type = "gif"}, {}, {"http://h/b"}},
    };
    for (const auto& row : cases) {
        ImageListTable table;
        Accept(table, R"({"frame":"f","gather":1,"items":[{"a":"http://h/a","k":"img"},)"
                      R"({"a":"http://h/b","k":"img"}]})");
        table.SortBy(row.column, false);
        table.SetFilter(row.filter);
        const auto shown = [&table] {
            std::vector<std::string> addresses;
            for (std::size_t line = 0; line < table.Shown().size(); ++line) {
                addresses.push_back(table.ShownRow(line).address);
            }
            return addresses;
        };
        EXPECT_EQ(shown(), row.before) << static_cast<int>(row.column);
        table.SetFacts("http://h/b", {900, "image/gif", "d"});
        EXPECT_EQ(shown(), row.after) << static_cast<int>(row.column);
    }
}

// The view draws again only the lines of the rows the table says changed: a row left out
// would show its old facts until it is scrolled.
TEST(ImageListTable, SaysWhichRowsTheFactsChangedElseThatEveryLineDid) {
    const std::string a = "http://h/a", b = "http://h/b", c = "http://h/c";
    const struct {
        const char* name;
        ImageColumn sortedBy;  // Uses: not sorted
        ImageFilterSettings filter;
        std::vector<std::pair<std::string, std::string>> facts;  // address, digest
        ImageTableChanges expected;
    } cases[] = {
        {"one row", ImageColumn::Uses, {}, {{b, "x"}}, {false, {1}}},
        {"rows in the order their facts came",
         ImageColumn::Uses,
         {},
         {{c, "x"}, {a, "y"}},
         {false, {2, 0}}},
        {"the earlier address of the same bytes too",
         ImageColumn::Uses,
         {},
         {{a, "x"}, {c, "x"}},
         {false, {0, 2, 0}}},
        {"no address", ImageColumn::Uses, {}, {{"http://h/none", "x"}}, {false, {}}},
        {"the order reads the bytes", ImageColumn::Bytes, {}, {{b, "x"}}, {true, {}}},
        {"the order reads the type", ImageColumn::Type, {}, {{b, "x"}}, {true, {}}},
        {"the filter reads the type", ImageColumn::Uses, {.type = "png"}, {{b, "x"}}, {true, {}}},
    };
    for (const auto& row : cases) {
        ImageListTable table;
        Accept(table, R"({"frame":"f","gather":1,"items":[{"a":"http://h/a","k":"img"},)"
                      R"({"a":"http://h/b","k":"img"},{"a":"http://h/c","k":"img"}]})");
        if (row.sortedBy != ImageColumn::Uses) {
            table.SortBy(row.sortedBy, true);
        }
        table.SetFilter(row.filter);
        EXPECT_TRUE(table.TakeChanges().lines) << row.name;
        EXPECT_FALSE(table.TakeChanges().lines) << row.name;
        for (const auto& [address, digest] : row.facts) {
            table.SetFacts(address, {10, "image/png", digest});
        }
        const ImageTableChanges changes = table.TakeChanges();
        EXPECT_EQ(changes.lines, row.expected.lines) << row.name;
        EXPECT_EQ(changes.rows, row.expected.rows) << row.name;
        EXPECT_TRUE(table.TakeChanges().rows.empty()) << row.name;
        // Unsorted and unfiltered, a report's rows keep their lines.
        Accept(table, R"({"frame":"f","gather":1,"items":[{"a":"http://h/d","k":"img"},)"
                      R"({"a":"http://h/a","k":"css"}]})");
        const ImageTableChanges report = table.TakeChanges();
        EXPECT_EQ(report.lines, row.expected.lines) << row.name;
        const std::vector<std::size_t> reportRows =
            report.lines ? std::vector<std::size_t>{} : std::vector<std::size_t>{3, 0};
        EXPECT_EQ(report.rows, reportRows) << row.name;
        Accept(table, R"({"frame":"f","gather":2,"done":true,"items":[{"a":"http://h/d","k":"img"}]})");
        EXPECT_TRUE(table.TakeChanges().lines) << row.name;
    }
}

TEST(ThumbnailSlots, KeepsABoundedNumberGivingUpTheOneUsedLongestAgo) {
    ThumbnailSlots slots;
    for (std::size_t n = 0; n < ThumbnailSlots::kSlots; ++n) {
        EXPECT_EQ(slots.Take("u" + std::to_string(n)), static_cast<int>(n));
    }
    EXPECT_EQ(slots.Find("u0"), 0);  // u1 is now the one used longest ago
    EXPECT_EQ(slots.Take("new"), 1);
    EXPECT_EQ(slots.Find("u1"), std::nullopt);
    EXPECT_EQ(slots.Find("u0"), 0);
    EXPECT_EQ(slots.Take("u0"), 0);
    EXPECT_EQ(slots.Size(), ThumbnailSlots::kSlots);
    slots.Clear();
    EXPECT_EQ(slots.Find("u0"), std::nullopt);
    EXPECT_EQ(slots.Take("again"), 0);
}

TEST(ImageListExport, WritesEveryColumnWithThePageAndTheTime) {
    ImageList list;
    ImageFinding finding = Found("http://h/a,\"b\".png", ImageKind::Img, 10, 20);
    finding.text = "=HYPERLINK(\"x\")";
    finding.descriptor = "2x";
    finding.withoutAlt = true;
    ImageFinding big = Found("http://h/big", ImageKind::Img, 40, 40);
    big.shownWidth = 10;
    big.shownHeight = 10;
    list.Accept(Report("top", 1,
                       {finding, Found("http://h/a,\"b\".png", ImageKind::Srcset),
                        Found("u", ImageKind::Css), big, Found("gone", ImageKind::Css)}));
    list.SetFacts("u", {7, "image/gif", ""});
    list.SetFacts("http://h/big", {1600, "image/png", ""});
    list.SetFacts("gone", {.state = ImageBytes::Missing});
    const ImageListHeading heading{"http://h/page", "2026-12-08T21:40:00Z", false};
    const std::string page = "\"http://h/page\",\"2026-12-08T21:40:00Z\",";
    EXPECT_EQ(ImageListCsv(heading, list.Rows()),
              "page,time,address,kinds,descriptor,natural width,natural height,shown width,"
              "shown height,bytes,type,alt or title,uses,same bytes as another,address cut,"
              "broken,oversized,bytes saved at shown size,without alt\r\n" +
                  page +
                  "\"http://h/a,\"\"b\"\".png\",\"img, srcset\",\"2x\",10,20,0,0,,\"\","
                  "\"'=HYPERLINK(\"\"x\"\")\",2,no,no,no,no,,yes\r\n" +
                  page + "\"u\",\"css\",\"\",0,0,0,0,7,\"image/gif\",\"\",1,no,no,no,no,,no\r\n" +
                  page +
                  "\"http://h/big\",\"img\",\"\",40,40,10,10,1600,\"image/png\",\"\",1,no,no,no,"
                  "yes,1500,no\r\n" +
                  page + "\"gone\",\"css\",\"\",0,0,0,0,,\"\",\"\",1,no,no,yes,no,,no\r\n");
    // At twice the pixels a CSS pixel, the big picture is exactly four times its place.
    EXPECT_THAT(ImageListCsv({"p", "t", false, 2.0}, {list.Rows()[2]}),
                ::testing::EndsWith(",1,no,no,no,no,,no\r\n"));
    EXPECT_EQ(ImageListJson({"p", "t", true}, {list.Rows()[1]}),
              "{\n\t\"images\": [\n\t\t{\n\t\t\t\"address\": \"u\",\n\t\t\t\"broken\": false,\n"
              "\t\t\t\"bytes\": 7,\n\t\t\t\"cut\": false,\n\t\t\t\"descriptor\": \"\",\n"
              "\t\t\t\"kinds\": [\n\t\t\t\t\"css\"\n\t\t\t],\n\t\t\t\"naturalHeight\": 0,\n"
              "\t\t\t\"naturalWidth\": 0,\n\t\t\t\"oversized\": false,\n"
              "\t\t\t\"oversizedSaving\": null,\n\t\t\t\"sameBytes\": false,\n"
              "\t\t\t\"shownHeight\": 0,\n\t\t\t\"shownWidth\": 0,\n\t\t\t\"text\": \"\",\n"
              "\t\t\t\"type\": \"image/gif\",\n\t\t\t\"uses\": 1,\n\t\t\t\"withoutAlt\": false\n"
              "\t\t}\n\t],\n\t\"page\": \"p\",\n\t\"stopped\": true,\n\t\"time\": \"t\"\n}\n");
    EXPECT_THAT(ImageListJson({"p", "t", false}, {list.Rows()[2]}),
                ::testing::HasSubstr("\"oversized\": true,\n\t\t\t\"oversizedSaving\": 1500,"));
    EXPECT_THAT(ImageListJson({"p", "t", false}, {list.Rows()[0], list.Rows()[3]}),
                ::testing::AllOf(::testing::HasSubstr("\"withoutAlt\": true"),
                                 ::testing::HasSubstr("\"broken\": true")));
    ImageRow broken;
    broken.address = "bad \xFF byte";
    EXPECT_THAT(ImageListJson({}, {broken}), ::testing::HasSubstr("bad \xEF\xBF\xBD byte"));
    EXPECT_TRUE(IsJsonFileName("list.JSON"));
    EXPECT_FALSE(IsJsonFileName("list.csv"));
}

}  // namespace
}  // namespace quorvane
