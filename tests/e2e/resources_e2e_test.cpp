// The Resources tab in the real window: a page reached through two redirects, with its
// files and a frame of another site, is listed request by request from the engine's own
// signals, and File > Export Requests… writes it as a HAR file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "desktop/user_folders.h"
#include "inspection/gui/served_source_view.h"
#include "main_window/gui/served_source_controls.h"
#include "requests/gui/request_list_view.h"
#include "tests/e2e/dialog_user.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/test_bitmap.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using ResourcesEndToEnd = MainWindowEndToEnd;

// The entry of the export whose address ends with path; null when there is none.
const json* EntryOf(const json& har, const std::string& path) {
    for (const json& entry : har["log"]["entries"]) {
        if (entry["request"]["url"].get<std::string>().ends_with(path)) {
            return &entry;
        }
    }
    return nullptr;
}

bool HasHeader(const json& headers, const std::string& name, const std::string& value) {
    for (const json& header : headers) {
        if (header["name"] == name && header["value"] == value) {
            return true;
        }
    }
    return false;
}

TEST_F(ResourcesEndToEnd, ListsEveryRequestAndExportsThemAsHar) {
    HttpTestServer other;
    const std::string frame = "http://localhost:" + std::to_string(other.Port()) + "/frame.html";
    other.Serve("/frame.html", "text/html", "<html><body><img src=\"framed.bmp\"></body></html>");
    other.Serve("/framed.bmp", "image/bmp", Bitmap(7, 5));
    server_.ServeRedirect("/res/start", "301 Moved Permanently", "/res/moved");
    server_.ServeRedirect("/res/moved", "302 Found", "/res/page.html");
    server_.ServeWithHeader(
        "/res/page.html", "text/html",
        "<html><head><link rel=\"stylesheet\" href=\"style.css\"><script src=\"app.js\"></script>"
        "</head><body><p>marker-resources</p><img src=\"pic.bmp\"><img src=\"missing.png\">"
        "<iframe src=\"" +
            frame + "\"></iframe></body></html>",
        "X-Served-By: test\r\nSet-Cookie: session=c00kie");
    server_.Serve("/res/style.css", "text/css",
                  "@font-face{font-family:T;src:url(face.woff2) format('woff2')}"
                  "body{font-family:T}");
    server_.Serve("/res/app.js", "text/javascript", "var loaded = 1;");
    server_.Serve("/res/face.woff2", "font/woff2", "not really a font");
    server_.Serve("/res/pic.bmp", "image/bmp", Bitmap(9, 5));

    TypeAddressAndPressEnter(server_.Url("/res/start"));
    ASSERT_TRUE(WaitForAnalysedPage(server_.Url("/res/page.html"), "marker-resources"));
    const RequestListTable& table = frame_->Controller().RequestTable();
    const auto ended = [&](const std::string& path) {
        for (const RequestRow& row : table.Log().Rows()) {
            if (row.address.ends_with(path) && row.endSeconds) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(WaitUntil([&] {
        return ended("/framed.bmp") && ended("/missing.png") && ended("/face.woff2") &&
               ended("/pic.bmp");
    })) << table.Log().Rows().size();

    frame_->Controller().SelectView(MainWindowController::kRequestListView);
    RequestListView& view = frame_->RequestList();
    EXPECT_TRUE(WaitUntil([&] { return view.CountText().ends_with(" requests"); }));
    // The view takes the rows in at its next redraw: the start page's may still be shown.
    EXPECT_TRUE(WaitUntil(
        [&] { return view.HeadersText().find("X-Served-By: test") != std::string::npos; }))
        << view.HeadersText();

    // Beside the Original Source, the page's own headers, after the chain that led to it.
    frame_->Controller().SelectView(MainWindowController::kServedSourceView);
    ASSERT_FALSE(frame_->SourceSwitchOn(SourceSwitch::Headers));
    frame_->FlipSourceSwitch(SourceSwitch::Headers);
    ServedSourceControls& source = frame_->ServedSourceParts();
    EXPECT_TRUE(WaitUntil([&] {
        const std::string text = source.HeadersText();
        return text.starts_with("200 OK  GET " + server_.Url("/res/page.html")) &&
               text.find("X-Served-By: test") != std::string::npos &&
               text.find("Redirected: 301 " + server_.Url("/res/start")) != std::string::npos;
    })) << source.HeadersText();
    frame_->FlipSourceSwitch(SourceSwitch::Headers);
    EXPECT_EQ(source.HeadersText(), "");

    // A script of the page in the Original Source view, from the engine's copy, and back.
    const auto rowOf = [&](const std::string& path) {
        std::size_t place = 0;
        while (place < table.Log().Rows().size() &&
               !table.Log().Rows()[place].address.ends_with(path)) {
            ++place;
        }
        return place;
    };
    const auto shows = [&](const std::string& text) {
        return WaitUntil([&] {
            return frame_->ServedSource().Complete() &&
                   frame_->ServedSource().ShownText().find(text) != std::string_view::npos;
        });
    };
    view.OpenOriginalSource(rowOf("/res/app.js"));
    EXPECT_TRUE(shows("var loaded = 1;"))
        << source.ModeNote() << table.Log().Rows()[rowOf("/res/app.js")].mimeType;
    EXPECT_THAT(source.ModeNote(), ::testing::HasSubstr(server_.Url("/res/app.js")));
    EXPECT_EQ(source.ChosenFrame(), server_.Url("/res/app.js"));
    view.OpenOriginalSource(rowOf("/res/pic.bmp"));
    EXPECT_EQ(source.ChosenFrame(), server_.Url("/res/app.js"));
    source.ChooseFrame("");
    EXPECT_TRUE(shows("marker-resources"));

    const fs::path folder = UserHomeFolder() / "requests-e2e";
    fs::remove_all(folder);
    setenv("XDG_DOWNLOAD_DIR", folder.c_str(), 1);
    const fs::path file = folder / "page-requests.har";
    std::thread user([&] {
        const DialogUser user("Export Requests");
        EXPECT_TRUE(user.WaitUntilShown() && user.WaitForText(file.filename().string()) &&
                    user.Do("key Return"));
        EXPECT_TRUE(user.WaitUntilGone()) << "the export dialog stayed open";
    });
    frame_->Controller().ExportRequests();
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(file); })) << file;
    user.join();
    unsetenv("XDG_DOWNLOAD_DIR");
    const std::string text = ReadFileBytes(file);
    fs::remove_all(folder);
    const json har = json::parse(text);

    EXPECT_EQ(har["log"]["creator"]["name"], "Quorvane");
    const struct {
        std::string path;
        int status;
        std::string kind;
    } rows[] = {
        {"/res/start", 301, ""},
        {"/res/moved", 302, ""},
        {"/res/page.html", 200, "document"},
        {"/res/style.css", 200, "style sheet"},
        {"/res/app.js", 200, "script"},
        {"/res/face.woff2", 200, "font"},
        {"/res/pic.bmp", 200, "image"},
        {"/res/missing.png", 404, "other"},
        {"/frame.html", 200, "frame"},
        {"/framed.bmp", 200, "image"},
    };
    for (const auto& row : rows) {
        const json* entry = EntryOf(har, row.path);
        ASSERT_NE(entry, nullptr) << row.path;
        EXPECT_EQ((*entry)["response"]["status"], row.status) << row.path;
        if (!row.kind.empty()) {
            EXPECT_EQ((*entry)["_kind"], row.kind) << row.path;
        }
    }
    // The chain in order, each step naming the next.
    EXPECT_EQ((*EntryOf(har, "/res/start"))["response"]["redirectURL"], server_.Url("/res/moved"));
    EXPECT_EQ((*EntryOf(har, "/res/moved"))["response"]["redirectURL"],
              server_.Url("/res/page.html"));
    EXPECT_TRUE(
        HasHeader((*EntryOf(har, "/res/page.html"))["response"]["headers"], "X-Served-By", "test"));
    EXPECT_EQ(text.find("c00kie"), std::string::npos);
    const json& framed = *EntryOf(har, "/framed.bmp");
    ASSERT_TRUE(framed.contains("_frame"));
    EXPECT_THAT(har["log"]["entries"][framed["_frame"].get<std::size_t>()]["request"]["url"]
                    .get<std::string>(),
                ::testing::EndsWith("/frame.html"));
    EXPECT_EQ((*EntryOf(har, "/frame.html"))["_thirdParty"], true);
    EXPECT_EQ((*EntryOf(har, "/res/pic.bmp"))["_thirdParty"], false);
}

}  // namespace
}  // namespace quorvane::test
