#include "requests/har_export.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/requests/page_requests.h"

namespace quorvane {
namespace {

using nlohmann::json;
using testing::PageRequests;

// A page reached through a redirect, with a cookie both ways, a script of its frame on
// another site and a request that failed.
void PlayPage(RequestLog& log) {
    PageRequests page(log);
    page.Send(1, "http://site.test/start?a=1&b", {{"Accept", "text/html"}}, true);
    page.Redirect(1, 301, "http://site.test/page");
    page.Answer(1, 200, "text/html",
                {{"X-Served-By", "test"}, {"Set-Cookie", "id=s3cr3t; Path=/"}});
    page.Finish(1);
    page.Send(2, "http://other.test/frame.html",
              {{"Accept", "text/html"},
               {"Referer", "http://site.test/page"},
               {"Cookie", "theirs=c00kie; more=two"},
               {"Authorization", "Basic cGFzczp3b3Jk"}});
    page.Answer(2, 200, "text/html");
    page.Finish(2);
    page.Load(3, "http://other.test/frame.js", 200, "text/javascript",
              {{"Referer", "http://other.test/frame.html"}});
    page.Send(4, "http://site.test/x.png");
    page.Fail(4, "Connection refused");
}

json Har(bool includeCredentials) {
    RequestLog log;
    PlayPage(log);
    return json::parse(RequestsHar({.creatorVersion = "3.1.0",
                                    .pageAddress = "http://site.test/page",
                                    .includeCredentials = includeCredentials},
                                   log));
}

// The fields HAR 1.2 requires of each object, and the JSON type of each.
TEST(RequestsHar, HasEveryFieldTheFormatRequires) {
    const json har = Har(false);
    const struct {
        std::string pointer;
        std::vector<std::pair<std::string, json::value_t>> fields;
    } rows[] = {
        {"/log",
         {{"version", json::value_t::string},
          {"creator", json::value_t::object},
          {"pages", json::value_t::array},
          {"entries", json::value_t::array}}},
        {"/log/creator", {{"name", json::value_t::string}, {"version", json::value_t::string}}},
        {"/log/pages/0",
         {{"startedDateTime", json::value_t::string},
          {"id", json::value_t::string},
          {"title", json::value_t::string},
          {"pageTimings", json::value_t::object}}},
    };
    for (const auto& row : rows) {
        const json& object = har.at(json::json_pointer(row.pointer));
        for (const auto& [name, type] : row.fields) {
            ASSERT_TRUE(object.contains(name)) << row.pointer << "/" << name;
            EXPECT_EQ(object[name].type(), type) << row.pointer << "/" << name;
        }
    }
    const std::vector<std::pair<std::string, std::vector<std::string>>> entryFields = {
        {"", {"startedDateTime", "time", "request", "response", "cache", "timings"}},
        {"/request",
         {"method", "url", "httpVersion", "cookies", "headers", "queryString", "headersSize",
          "bodySize"}},
        {"/response",
         {"status", "statusText", "httpVersion", "cookies", "headers", "content", "redirectURL",
          "headersSize", "bodySize"}},
        {"/response/content", {"size", "mimeType"}},
        {"/timings", {"send", "wait", "receive"}},
    };
    ASSERT_EQ(har["log"]["entries"].size(), 5u);
    for (const json& entry : har["log"]["entries"]) {
        for (const auto& [pointer, names] : entryFields) {
            const json& object = entry.at(json::json_pointer(pointer));
            for (const std::string& name : names) {
                EXPECT_TRUE(object.contains(name)) << pointer << "/" << name;
            }
        }
        EXPECT_GE(entry["time"].get<double>(), 0);
        EXPECT_GE(entry["timings"]["wait"].get<double>(), 0);
        for (const json& header : entry["request"]["headers"]) {
            EXPECT_TRUE(header["name"].is_string() && header["value"].is_string());
        }
    }
    EXPECT_EQ(har["log"]["version"], "1.2");
    EXPECT_EQ(har["log"]["creator"]["name"], "Quorvane");
    EXPECT_EQ(har["log"]["creator"]["version"], "3.1.0");
}

TEST(RequestsHar, WritesTheChainStatusesHeadersAndFramesInOrder) {
    const json entries = Har(false)["log"]["entries"];
    const struct {
        std::string url;
        int status;
        std::string mimeType;
        std::string redirectUrl;
    } rows[] = {
        {"http://site.test/start?a=1&b", 301, "", "http://site.test/page"},
        {"http://site.test/page", 200, "text/html", ""},
        {"http://other.test/frame.html", 200, "text/html", ""},
        {"http://other.test/frame.js", 200, "text/javascript", ""},
        {"http://site.test/x.png", 0, "", ""},
    };
    for (std::size_t at = 0; at < std::size(rows); ++at) {
        EXPECT_EQ(entries[at]["request"]["url"], rows[at].url);
        EXPECT_EQ(entries[at]["response"]["status"], rows[at].status);
        EXPECT_EQ(entries[at]["response"]["content"]["mimeType"], rows[at].mimeType);
        EXPECT_EQ(entries[at]["response"]["redirectURL"], rows[at].redirectUrl);
    }
    EXPECT_EQ(entries[0]["request"]["queryString"],
              json::parse(R"([{"name":"a","value":"1"},{"name":"b","value":""}])"));
    EXPECT_EQ(entries[1]["response"]["headers"][0],
              json::parse(R"({"name":"X-Served-By","value":"test"})"));
    EXPECT_EQ(entries[3]["_frame"], 2);
    EXPECT_FALSE(entries[1].contains("_frame"));
    EXPECT_EQ(entries[2]["_thirdParty"], true);
    EXPECT_EQ(entries[1]["_thirdParty"], false);
    EXPECT_EQ(entries[4]["_failure"], "Connection refused");
    EXPECT_EQ(entries[1]["timings"]["wait"], 1000.0);
    EXPECT_EQ(entries[1]["startedDateTime"], "2025-12-06T05:46:42.000Z");
}

TEST(RequestsHar, WritesCookiesAndCredentialsOnlyWhenAsked) {
    const std::string without = Har(false).dump();
    for (const char* secret : {"s3cr3t", "c00kie", "cGFzczp3b3Jk", "Authorization"}) {
        EXPECT_EQ(without.find(secret), std::string::npos) << secret;
    }
    const json with = Har(true)["log"]["entries"];
    EXPECT_EQ(with[1]["response"]["cookies"], json::parse(R"([{"name":"id","value":"s3cr3t"}])"));
    EXPECT_EQ(with[2]["request"]["cookies"],
              json::parse(R"([{"name":"theirs","value":"c00kie"},{"name":"more","value":"two"}])"));
    EXPECT_NE(with.dump().find("Basic cGFzczp3b3Jk"), std::string::npos);
}

// The file as the document built whole wrote it before it was written piece by piece:
// the same content, member for member, whatever the order and spacing.
constexpr char kPlayedPageHar[] =
    R"({"log":{"creator":{"name":"Quorvane","version":"3.1.0"},"entries":[{"_kind":"document",)"
    R"("_thirdParty":false,"cache":{},"pageref":"page_1","request":{"bodySize":0,"cookies":[],)"
    R"("headers":[{"name":"Accept","value":"text/html"}],"headersSize":-1,"httpVersion":"",)"
    R"("method":"GET","queryString":[{"name":"a","value":"1"},{"name":"b","value":""}],"url":"http://site.test/start?a=1&b"},)"
    R"("response":{"bodySize":-1,"content":{"mimeType":"","size":-1},"cookies":[],"headers":[{"name":"Location",)"
    R"("value":"http://site.test/page"}],"headersSize":-1,"httpVersion":"","redirectURL":"http://site.test/page",)"
    R"("status":301,"statusText":"Moved Permanently"},"startedDateTime":"2025-12-06T05:46:41.000Z",)"
    R"("time":1000.0,"timings":{"blocked":-1,"connect":-1,"dns":-1,"receive":0.0,"send":0,)"
    R"("ssl":-1,"wait":1000.0}},{"_kind":"document","_thirdParty":false,"cache":{},"pageref":"page_1",)"
    R"("request":{"bodySize":0,"cookies":[],"headers":[],"headersSize":-1,"httpVersion":"",)"
    R"("method":"GET","queryString":[],"url":"http://site.test/page"},"response":{"bodySize":100,)"
    R"("content":{"mimeType":"text/html","size":10},"cookies":[{"name":"id","value":"s3cr3t"}],)"
    R"("headers":[{"name":"X-Served-By","value":"test"},{"name":"Set-Cookie","value":"id=s3cr3t; Path=/"}],)"
    R"("headersSize":-1,"httpVersion":"","redirectURL":"","status":200,"statusText":"OK"},)"
    R"("startedDateTime":"2025-12-06T05:46:42.000Z","time":2000.0,"timings":{"blocked":-1,)"
    R"("connect":-1,"dns":-1,"receive":1000.0,"send":0,"ssl":-1,"wait":1000.0}},{"_kind":"frame",)"
    R"("_thirdParty":true,"cache":{},"pageref":"page_1","request":{"bodySize":0,"cookies":[{"name":"theirs",)"
    R"("value":"c00kie"},{"name":"more","value":"two"}],"headers":[{"name":"Accept","value":"text/html"},)"
    R"({"name":"Referer","value":"http://site.test/page"},{"name":"Cookie","value":"theirs=c00kie; more=two"},)"
    R"({"name":"Authorization","value":"Basic cGFzczp3b3Jk"}],"headersSize":-1,"httpVersion":"",)"
    R"("method":"GET","queryString":[],"url":"http://other.test/frame.html"},"response":{"bodySize":200,)"
    R"("content":{"mimeType":"text/html","size":20},"cookies":[],"headers":[],"headersSize":-1,)"
    R"("httpVersion":"","redirectURL":"","status":200,"statusText":"OK"},"startedDateTime":"2025-12-06T05:46:45.000Z",)"
    R"("time":2000.0,"timings":{"blocked":-1,"connect":-1,"dns":-1,"receive":1000.0,"send":0,)"
    R"("ssl":-1,"wait":1000.0}},{"_frame":2,"_kind":"script","_thirdParty":true,"cache":{},)"
    R"("pageref":"page_1","request":{"bodySize":0,"cookies":[],"headers":[{"name":"Referer",)"
    R"("value":"http://other.test/frame.html"}],"headersSize":-1,"httpVersion":"","method":"GET",)"
    R"("queryString":[],"url":"http://other.test/frame.js"},"response":{"bodySize":300,"content":{"mimeType":"text/javascript",)"
    R"("size":30},"cookies":[],"headers":[],"headersSize":-1,"httpVersion":"","redirectURL":"",)"
    R"("status":200,"statusText":"OK"},"startedDateTime":"2025-12-06T05:46:48.000Z","time":2000.0,)"
    R"("timings":{"blocked":-1,"connect":-1,"dns":-1,"receive":1000.0,"send":0,"ssl":-1,)"
    R"("wait":1000.0}},{"_failure":"Connection refused","_kind":"","_thirdParty":false,"cache":{},)"
    R"("pageref":"page_1","request":{"bodySize":0,"cookies":[],"headers":[],"headersSize":-1,)"
    R"("httpVersion":"","method":"GET","queryString":[],"url":"http://site.test/x.png"},)"
    R"("response":{"bodySize":-1,"content":{"mimeType":"","size":-1},"cookies":[],"headers":[],)"
    R"("headersSize":-1,"httpVersion":"","redirectURL":"","status":0,"statusText":""},"startedDateTime":"2025-12-06T05:46:51.000Z",)"
    R"("time":1000.0,"timings":{"blocked":-1,"connect":-1,"dns":-1,"receive":0.0,"send":0,)"
    R"("ssl":-1,"wait":0.0}}],"pages":[{"id":"page_1","pageTimings":{"onContentLoad":-1,)"
    R"("onLoad":-1},"startedDateTime":"2025-12-06T05:46:41.000Z","title":"http://site.test/page"}],)"
    R"("version":"1.2"}})";

TEST(RequestsHar, WritesWhatTheWholeDocumentHeld) {
    EXPECT_EQ(Har(true), json::parse(kPlayedPageHar));
}

// Pieces of some hundred kilobytes are handed on as entries are made, never the whole
// file at the end, and together they are the file.
TEST(RequestsHar, HandsTheFileOnInPiecesAsItIsMade) {
    RequestLog log;
    PageRequests page(log);
    for (RequestId id = 1; id <= 5000; ++id) {
        page.Load(id, "http://site.test/file-" + std::to_string(id) + ".png", 200, "image/png",
                  {{"Accept", "*/*"}, {"Referer", "http://site.test/"}});
    }
    const HarHeading heading{.creatorVersion = "3.1.0"};
    std::string joined;
    std::size_t pieces = 0, largest = 0;
    WriteRequestsHar(heading, log, [&](std::string_view piece) {
        joined += piece;
        ++pieces;
        largest = std::max(largest, piece.size());
    });
    const std::string whole = RequestsHar(heading, log);
    EXPECT_EQ(joined, whole);
    EXPECT_GT(pieces, 3u) << whole.size() << " bytes";
    EXPECT_LT(largest, whole.size() / 2);
    EXPECT_EQ(json::parse(joined)["log"]["entries"].size(), 5000u);
}

// Past the bound the rest are left out, each saying why, even one small enough to fit.
TEST(HarBodies, WritesTheBodiesUntilTheBoundAndSaysWhyTheRestAreNot) {
    RequestLog log;
    PageRequests page(log);
    page.Load(1, "http://site.test/a.js", 200, "text/javascript");
    page.Load(2, "http://site.test/b.css", 200, "text/css");
    page.Load(3, "http://site.test/pic.png", 200, "image/png");
    page.Load(4, "http://site.test/c.json", 200, "application/json");
    page.Load(5, "http://site.test/a.js", 200, "text/javascript");
    page.Load(6, "http://site.test/d.txt", 200, "text/plain");
    page.Send(7, "http://site.test/e.html");
    page.Answer(7, 200, "text/html");
    std::vector<std::string> toRead;
    for (const HarBodies::ToRead& file : HarBodies::FilesToRead(log)) {
        toRead.push_back(file.address.substr(17) + " " + file.mimeType);
    }
    EXPECT_EQ(toRead, (std::vector<std::string>{"a.js text/javascript", "b.css text/css",
                                                "c.json application/json", "d.txt text/plain"}));
    HarBodies bodies(10);
    bodies.Add("http://site.test/a.js", "1234");
    bodies.Add("http://site.test/b.css", std::nullopt);
    EXPECT_FALSE(bodies.Full());
    bodies.Add("http://site.test/c.json", "1234567");
    EXPECT_TRUE(bodies.Full());
    bodies.Add("http://site.test/d.txt", "1");
    const json entries = json::parse(RequestsHar({.bodies = &bodies}, log))["log"]["entries"];
    const struct {
        std::size_t entry;
        json text;
        std::string comment;
    } rows[] = {
        {0, "1234", ""},
        {1, nullptr, "The browser no longer holds this file's body."},
        {2, nullptr, ""},
        {3, nullptr, "Left out: the text bodies written before it reached the bound of 10 bytes."},
        {4, "1234", ""},
        {5, nullptr, "Left out: the text bodies written before it reached the bound of 10 bytes."},
        {6, nullptr, ""},
    };
    for (const auto& row : rows) {
        const json& content = entries[row.entry]["response"]["content"];
        EXPECT_EQ(content.value("text", json()), row.text) << row.entry;
        EXPECT_EQ(content.value("comment", ""), row.comment) << row.entry;
    }
}

TEST(HarTime, WritesUtcWithMilliseconds) {
    EXPECT_EQ(HarTime(0), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(HarTime(1765464000.125), "2025-12-11T14:40:00.125Z");
    EXPECT_EQ(HarTime(1765464000.9996), "2025-12-11T14:40:00.999Z");
}

}  // namespace
}  // namespace quorvane
