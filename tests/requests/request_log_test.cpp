#include "requests/request_log.h"

#include <gtest/gtest.h>

#include "requests/request_columns.h"
#include "requests/request_headers_text.h"
#include "tests/requests/page_requests.h"

namespace quorvane {
namespace {

using testing::PageRequests;

const HttpHeaders kDocumentAccept = {{"Accept", "text/html,application/xhtml+xml,*/*;q=0.8"}};

std::vector<std::string> Column(const RequestLog& log, RequestColumn column) {
    std::vector<std::string> cells;
    for (std::size_t place = 0; place < log.Rows().size(); ++place) {
        cells.push_back(RequestCell(log, place, column));
    }
    return cells;
}

TEST(RequestLog, KeepsRowsInTheOrderTheRequestsWereMade) {
    RequestLog log;
    PageRequests page(log);
    page.Send(1, "http://a.test/", {}, true);
    page.Send(2, "http://a.test/style.css");
    page.Send(3, "http://a.test/script.js");
    page.Answer(3, 200, "text/javascript");
    page.Answer(2, 200, "text/css");
    page.Finish(3);
    EXPECT_EQ(Column(log, RequestColumn::Address),
              (std::vector<std::string>{"http://a.test/", "http://a.test/style.css",
                                        "http://a.test/script.js"}));
    EXPECT_EQ(Column(log, RequestColumn::Status),
              (std::vector<std::string>{"waiting", "200 OK", "200 OK"}));
    EXPECT_EQ(Column(log, RequestColumn::Kind),
              (std::vector<std::string>{"document", "style sheet", "script"}));
    EXPECT_EQ(log.Rows()[2].stage, RequestRow::Stage::Finished);
    EXPECT_EQ(log.Rows()[2].decodedBytes, 30u);
    EXPECT_EQ(log.Rows()[1].stage, RequestRow::Stage::Answered);
    // An engine that never told of the data it received leaves the size unknown, not 0.
    log.Ended({.id = 2, .atSeconds = 1});
    EXPECT_EQ(log.Rows()[1].decodedBytes, std::nullopt);
    EXPECT_EQ(Column(log, RequestColumn::DecodedBytes)[1], "");
}

TEST(RequestLog, ARedirectIsAChainOfRowsTiedToWhatItLedTo) {
    RequestLog log;
    PageRequests page(log);
    page.Send(1, "http://a.test/old", {}, true);
    page.Redirect(1, 301, "http://a.test/moved");
    page.Send(2, "http://a.test/picture.png");
    page.Redirect(1, 302, "http://b.test/page");
    page.Answer(1, 200, "text/html");
    page.Finish(1);
    ASSERT_EQ(log.Rows().size(), 4u);
    EXPECT_EQ(
        Column(log, RequestColumn::Status),
        (std::vector<std::string>{"301 Moved Permanently", "302 Found", "waiting", "200 OK"}));
    EXPECT_EQ(log.Rows()[0].redirectedTo, 1u);
    EXPECT_EQ(log.Rows()[1].redirectedFrom, 0u);
    EXPECT_EQ(log.Rows()[1].redirectedTo, 3u);
    EXPECT_EQ(log.Rows()[3].redirectedFrom, 1u);
    EXPECT_EQ(log.Rows()[3].stage, RequestRow::Stage::Finished);
    EXPECT_EQ(log.Rows()[0].stage, RequestRow::Stage::Redirected);
    EXPECT_TRUE(log.Rows()[3].mainDocument);
    // The page's site follows its document to where it came to rest.
    EXPECT_EQ(log.PageSite(), "b.test");
    EXPECT_TRUE(log.ThirdParty(log.Rows()[2]));
}

TEST(RequestLog, TellsDocumentsByWhatTheyAskedForElseByTheAnswer) {
    const struct {
        HttpHeaders headers;
        std::string mimeType;
        std::string kind;
    } rows[] = {
        {kDocumentAccept, "text/plain", "frame"},
        {{{"Accept", "image/png,image/*"}}, "text/html", "other"},
        {{}, "text/html", "frame"},
        {{}, "application/xhtml+xml", "frame"},
        {{}, "text/plain", "other"},
    };
    for (const auto& row : rows) {
        RequestLog log;
        PageRequests page(log);
        page.Send(1, "http://a.test/", {}, true);
        page.Send(2, "http://a.test/x", row.headers);
        page.Answer(2, 404, row.mimeType);
        EXPECT_EQ(RequestKind(log.Rows()[1]), row.kind) << row.mimeType;
    }
}

TEST(RequestLog, AFailedRequestSaysWhy) {
    const struct {
        std::string why;
        std::string cell;
    } rows[] = {
        {"cancelled", "failed: cancelled"},
        {"Could not resolve host name", "failed: Could not resolve host name"},
        {"blocked: Blocked by content filter", "failed: blocked: Blocked by content filter"},
    };
    for (const auto& row : rows) {
        RequestLog log;
        PageRequests page(log);
        page.Send(1, "http://a.test/", {}, true);
        page.Send(2, "http://a.test/x.js");
        page.Fail(2, row.why);
        EXPECT_EQ(RequestCell(log, 1, RequestColumn::Status), row.cell);
        EXPECT_EQ(log.Rows()[1].stage, RequestRow::Stage::Failed);
    }
}

TEST(RequestLog, ANewPageForgetsTheOldOneAndItsLateEvents) {
    RequestLog log;
    PageRequests page(log);
    page.Send(1, "http://a.test/", {}, true);
    page.Send(2, "http://a.test/slow.js");
    PageRequests next(log);
    next.Send(3, "http://c.test/", {}, true);
    page.Answer(2, 200, "text/javascript");
    page.Finish(2);
    ASSERT_EQ(log.Rows().size(), 1u);
    EXPECT_EQ(log.Rows()[0].address, "http://c.test/");
    EXPECT_EQ(log.PageSite(), "c.test");
}

TEST(RequestLog, CountsAndSaysTheRequestsPastItsRows) {
    RequestLog log(3);
    PageRequests page(log);
    page.Send(1, "http://a.test/", {}, true);
    page.Send(2, "http://a.test/1.png");
    page.Send(3, "http://a.test/2.png");
    page.Send(4, "http://a.test/3.png");
    page.Redirect(3, 302, "http://a.test/4.png");
    page.Answer(4, 200, "image/png");
    EXPECT_EQ(log.Rows().size(), 3u);
    EXPECT_EQ(log.LeftOut(), 2u);
    EXPECT_EQ(log.BoundsText(), "; 2 more left out (the list holds 3)");
    EXPECT_EQ(log.Rows()[2].stage, RequestRow::Stage::Redirected);
}

TEST(RequestLog, SaysWhenThePagesHeadersAreSpent) {
    RequestLog log(RequestLog::kMaxRows, 40);
    PageRequests page(log);
    page.Send(1, "http://a.test/", {{"Accept", "text/html"}}, true);
    page.Send(2, "http://a.test/a.js", {{"Referer", "http://a.test/"}, {"X-Long", "0123456789"}});
    EXPECT_TRUE(log.HeadersSpent());
    EXPECT_TRUE(log.Rows()[1].headersCut);
    EXPECT_FALSE(log.Rows()[0].headersCut);
    ASSERT_EQ(log.Rows()[1].requestHeaders.size(), 1u);
    EXPECT_EQ(log.BoundsText(), "; headers past 0 MB left out");
    const std::string text = RequestHeadersText(log, 1);
    EXPECT_TRUE(
        text.ends_with("\nRequest headers\nReferer: http://a.test/\n"
                       "\nSome header lines were cut or left out: they were too long or "
                       "too many.\n"))
        << text;
    EXPECT_EQ(RequestHeadersText(log, 0).find("Some header lines"), std::string::npos);
}

TEST(RequestLog, TellsThirdPartiesByTheRegistrableDomain) {
    const struct {
        std::string page;
        std::string request;
        bool thirdParty;
    } rows[] = {
        {"http://www.example.co.uk/", "https://cdn.example.co.uk/a.js", false},
        {"http://example.com/", "http://static.example.com:8080/a.css", false},
        {"http://example.com/", "http://example.net/a.css", true},
        {"http://a.github.io/", "http://b.github.io/x.png", true},
        {"http://127.0.0.1:8000/", "http://127.0.0.1:9000/x.png", false},
        {"http://127.0.0.1:8000/", "http://localhost:9000/x.png", true},
        {"http://EXAMPLE.com/", "http://www.example.COM/", false},
        {"http://example.com/", "data:image/png;base64,AAAA", false},
    };
    for (const auto& row : rows) {
        RequestLog log;
        PageRequests page(log);
        page.Send(1, row.page, {}, true);
        page.Send(2, row.request);
        EXPECT_EQ(log.ThirdParty(log.Rows()[1]), row.thirdParty) << row.page << " " << row.request;
        EXPECT_EQ(RequestCell(log, 1, RequestColumn::Party), row.thirdParty ? "third party" : "");
        EXPECT_FALSE(log.ThirdParty(log.Rows()[0]));
    }
}

TEST(RequestLog, TiesAFramesRequestsToTheFrameTheirRefererNames) {
    RequestLog log;
    PageRequests page(log);
    page.Send(1, "http://a.test/", kDocumentAccept, true);
    page.Send(2, "http://b.test/frame.html",
              {{"Accept", kDocumentAccept[0].value}, {"Referer", "http://a.test/"}});
    page.Send(3, "http://b.test/frame.js", {{"Referer", "http://b.test/frame.html"}});
    page.Send(4, "http://c.test/font.woff2", {{"Referer", "http://b.test/"}});
    page.Send(5, "http://a.test/page.js", {{"Referer", "http://a.test/"}});
    page.Send(6, "http://c.test/x.png", {{"Referer", "http://a.test/"}});
    page.Send(7, "http://a.test/nobody.png");
    EXPECT_EQ(log.Rows()[1].frame, std::nullopt);
    EXPECT_EQ(log.Rows()[2].frame, 1u);
    EXPECT_EQ(log.Rows()[3].frame, 1u);
    EXPECT_EQ(log.Rows()[4].frame, std::nullopt);
    EXPECT_EQ(log.Rows()[5].frame, std::nullopt);
    EXPECT_EQ(log.Rows()[6].frame, std::nullopt);
    EXPECT_EQ(RequestCell(log, 2, RequestColumn::Frame), "http://b.test/frame.html");
    EXPECT_EQ(RequestKind(log.Rows()[1]), "frame");
}

}  // namespace
}  // namespace quorvane
