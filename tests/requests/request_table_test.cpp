#include <gtest/gtest.h>

#include <functional>

#include "requests/request_columns.h"
#include "requests/request_headers_text.h"
#include "requests/request_list_table.h"
#include "requests/request_row_filter.h"
#include "requests/request_row_order.h"
#include "tests/requests/page_requests.h"

namespace quorvane {
namespace {

using testing::PageRequests;

// A page of every kind of row: 0 the document, 1 a style sheet, 2 a script of another
// site, 3 a missing picture, 4 a font, 5 a refused request, 6 a redirect, 7 where it led,
// 8 one still waiting.
void PlayPage(RequestLog& log) {
    PageRequests page(log);
    page.Send(1, "http://site.test/", {{"Accept", "text/html"}}, true);
    page.Answer(1, 200, "text/html");
    page.Finish(1);
    page.Load(2, "http://site.test/main.css", 200, "text/css");
    page.Load(3, "http://cdn.other.test/lib.js", 200, "application/javascript");
    page.Load(4, "http://site.test/gone.png", 404, "text/html", {{"Accept", "image/png,image/*"}});
    page.Load(5, "http://site.test/face.woff2", 200, "font/woff2");
    page.Send(6, "http://site.test/refused.gif");
    page.Fail(6, "Connection refused");
    page.Send(7, "http://site.test/old.png");
    page.Redirect(7, 301, "http://img.other.test/new.png");
    page.Answer(7, 200, "image/png");
    page.Finish(7);
    page.Send(8, "http://site.test/slow.json");
}

std::vector<std::size_t> Shown(const RequestLog& log, const RequestFilterSettings& settings) {
    RequestRowFilter filter(settings);
    return filter.Shown(log);
}

TEST(RequestRowFilter, LetsThroughTheRowsAsked) {
    RequestLog log;
    PlayPage(log);
    const struct {
        RequestFilterSettings settings;
        std::vector<std::size_t> shown;
    } rows[] = {
        {{}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{.text = "PNG"}, {3, 6, 7}},
        {{.text = "other\\.test/.*\\.(js|png)$", .regularExpression = true}, {2, 7}},
        {{.text = "(", .regularExpression = true}, {}},
        {{.type = "script"}, {2}},
        {{.type = "image/"}, {7}},
        {{.type = "font"}, {4}},
        {{.type = "css"}, {1}},
        {{.status = StatusClass::Success}, {0, 1, 2, 4, 7}},
        {{.status = StatusClass::Redirect}, {6}},
        {{.status = StatusClass::ClientError}, {3}},
        {{.status = StatusClass::ServerError}, {}},
        {{.status = StatusClass::Failed}, {5}},
        {{.status = StatusClass::Waiting}, {8}},
        {{.thirdPartyOnly = true}, {2, 7}},
        {{.text = "png", .status = StatusClass::Success, .thirdPartyOnly = true}, {7}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Shown(log, row.settings), row.shown)
            << row.settings.text << " " << row.settings.type << " "
            << static_cast<int>(row.settings.status);
    }
}

TEST(RequestRowFilter, ABadExpressionSaysWhy) {
    RequestLog log;
    PlayPage(log);
    RequestRowFilter filter({.text = "[", .regularExpression = true});
    EXPECT_TRUE(filter.Shown(log).empty());
    EXPECT_TRUE(filter.Error().starts_with("Bad expression: ")) << filter.Error();
}

TEST(RequestRowFilter, CountsTheShownOfAll) {
    RequestLog log;
    PlayPage(log);
    EXPECT_EQ(RequestCountText(9, log), "9 requests");
    EXPECT_EQ(RequestCountText(3, log), "3 of 9 requests");
    RequestLog big(1000);
    PageRequests page(big);
    for (RequestId id = 1; id <= 1204; ++id) {
        page.Send(id, "http://site.test/" + std::to_string(id), {}, id == 1);
    }
    EXPECT_EQ(RequestCountText(312, big),
              "312 of 1 000 requests; 204 more left out (the list holds 1 000)");
}

TEST(SortRequestRows, SortsByAnyColumnAndBack) {
    RequestLog log;
    PlayPage(log);
    const struct {
        RequestColumn column;
        std::vector<std::size_t> ascending;
    } rows[] = {
        {RequestColumn::Number, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {RequestColumn::Address, {2, 7, 0, 4, 3, 1, 6, 5, 8}},
        // The unanswered first, failures last.
        {RequestColumn::Status, {8, 0, 1, 2, 4, 7, 6, 3, 5}},
        {RequestColumn::Kind, {5, 6, 8, 0, 4, 7, 3, 2, 1}},
        {RequestColumn::WireBytes, {5, 6, 8, 0, 1, 2, 3, 4, 7}},
        {RequestColumn::Party, {0, 1, 3, 4, 5, 6, 8, 2, 7}},
    };
    for (const auto& row : rows) {
        std::vector<std::size_t> shown = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        SortRequestRows(log, shown, row.column, true);
        EXPECT_EQ(shown, row.ascending) << RequestColumnName(row.column);
        SortRequestRows(log, shown, row.column, false);
        SortRequestRows(log, shown, row.column, true);
        EXPECT_EQ(shown, row.ascending) << "back, " << RequestColumnName(row.column);
    }
}

TEST(SortRequestRows, DescendingKeepsEqualRowsInTheirOrder) {
    RequestLog log;
    PlayPage(log);
    std::vector<std::size_t> shown = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    SortRequestRows(log, shown, RequestColumn::Party, false);
    EXPECT_EQ(shown, (std::vector<std::size_t>{2, 7, 0, 1, 3, 4, 5, 6, 8}));
}

TEST(RequestRowsText, CopiesTheHeadingAndTheRowsTabApart) {
    RequestLog log;
    PlayPage(log);
    const std::string text = RequestRowsText(log, {3});
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "#\tMethod\tAddress\tStatus\tType\tKind\tSize\tDecoded\tStart (ms)\t"
              "First byte (ms)\tTotal (ms)\tFrame\tParty");
    EXPECT_EQ(text.substr(text.find('\n') + 1),
              "4\tGET\thttp://site.test/gone.png\t404 Not Found\ttext/html\tother\t400\t40\t9000\t"
              "1000\t2000\t\t\n");
}

TEST(RequestListTable, FiltersAndSortsAgainAsTheLogChanges) {
    RequestListTable table;
    PlayPage(table.Log());
    table.SetFilter({.text = ".png"});
    table.SortBy(RequestColumn::Address, false);
    EXPECT_EQ(table.Shown(), (std::vector<std::size_t>{6, 3, 7}));
    EXPECT_EQ(table.CountText(), "3 of 9 requests");
    table.Log().Sent({.id = 9, .method = "GET", .address = "http://site.test/zz.png"});
    EXPECT_EQ(table.Shown(), (std::vector<std::size_t>{9, 6, 3, 7}));
    table.SortBy(RequestColumn::Number, true);
    EXPECT_EQ(table.Shown(), (std::vector<std::size_t>{3, 6, 7, 9}));
    table.SetFilter({.text = "[", .regularExpression = true});
    EXPECT_TRUE(table.Shown().empty());
    EXPECT_TRUE(table.CountText().starts_with("Bad expression: ")) << table.CountText();
}

TEST(RequestHeadersText, SaysTheStatusTheChainAndTheHeadersInOrder) {
    RequestLog log;
    PageRequests page(log);
    page.Send(1, "http://site.test/old", {{"Accept", "text/html"}, {"User-Agent", "Q"}}, true);
    page.Redirect(1, 301, "http://site.test/moved");
    page.Redirect(1, 302, "http://site.test/page");
    page.Answer(1, 200, "text/html", {{"X-Served-By", "test"}, {"Content-Type", "text/html"}});
    EXPECT_EQ(MainDocumentHeadersText(log),
              "200 OK  GET http://site.test/page\n"
              "Redirected: 301 http://site.test/old \u2192 302 http://site.test/moved \u2192 here\n"
              "\nResponse headers\nX-Served-By: test\nContent-Type: text/html\n"
              "\nRequest headers\n");
    EXPECT_EQ(RequestHeadersText(log, 0),
              "301 Moved Permanently  GET http://site.test/old\n"
              "Led on to: http://site.test/moved\n"
              "\nResponse headers\nLocation: http://site.test/moved\n"
              "\nRequest headers\nAccept: text/html\nUser-Agent: Q\n");
    EXPECT_EQ(RequestHeadersText(log, 9), "");
}

// What the pane beside the Original Source says as the page's requests come: always the
// last step of the page's own chain, never a frame's document, nothing of the page before.
TEST(MainDocumentHeadersText, FollowsThePageThroughItsChain) {
    RequestLog log;
    PageRequests page(log);
    const struct {
        std::function<void()> step;
        std::string firstLine;
    } rows[] = {
        {[] {}, ""},
        {[&] { page.Send(1, "http://site.test/old", {}, true); },
         "waiting  GET http://site.test/old"},
        {[&] { page.Redirect(1, 301, "http://site.test/page"); },
         "waiting  GET http://site.test/page"},
        {[&] {
             page.Answer(1, 200, "text/html", {{"X-Served-By", "test"}});
         },
         "200 OK  GET http://site.test/page"},
        {[&] {
             page.Send(2, "http://other.test/frame.html", {{"Accept", "text/html"}});
             page.Answer(2, 404, "text/html");
         },
         "200 OK  GET http://site.test/page"},
        {[&] { log.PageBegan(); }, ""},
        {[&] {
             page.Send(3, "http://site.test/next", {}, true);
             page.Fail(3, "Connection refused");
         },
         "failed: Connection refused  GET http://site.test/next"},
    };
    for (const auto& row : rows) {
        row.step();
        const std::string text = MainDocumentHeadersText(log);
        EXPECT_EQ(text.substr(0, text.find('\n')), row.firstLine);
    }
}

TEST(ShowsAsText, TakesTheTextTypesTheSourceViewShows) {
    const struct {
        const char* mimeType;
        bool text;
    } rows[] = {
        {"text/html", true},
        {"TEXT/HTML; charset=ISO-8859-1", true},
        {"text/css", true},
        {"text/javascript;charset=utf-8", true},
        {"application/javascript", true},
        {"application/json", true},
        {"application/ld+json", true},
        {"image/svg+xml", true},
        {"application/xml", true},
        {"text/plain", true},
        {"image/png", false},
        {"font/woff2", false},
        {"video/mp4", false},
        {"application/octet-stream", false},
        {"application/jsonp", false},
        {"", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ShowsAsText(RequestRow{.mimeType = row.mimeType}), row.text) << row.mimeType;
    }
}

}  // namespace
}  // namespace quorvane
