// The Resources view's logic without a display: the engine's requests into the table,
// the sixth view, and the HAR export.
#include "requests/request_list_keeper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/main_window/controller_fixture.h"
#include "tests/main_window/fake_browser_element.h"
#include "tests/main_window/fake_request_list_pane.h"
#include "tests/main_window/fake_surface.h"
#include "tests/support/temp_folder.h"

namespace quorvane::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class RequestListKeeperTest : public ::testing::Test {
  protected:
    // The page's document with a cookie set, as the engine tells it.
    void PlayPage() {
        RequestEvents& engine = *browser_.RequestListener();
        engine.PageBegan();
        engine.Sent(
            {.id = 1, .method = "GET", .address = "http://h/page.html", .mainDocument = true});
        engine.Answered({.id = 1,
                         .status = 200,
                         .statusText = "OK",
                         .mimeType = "text/html",
                         .headers = {{"X-Served-By", "test"}, {"Set-Cookie", "id=s3cr3t"}}});
        engine.Ended({.id = 1});
    }

    CallLog log_;
    FakeSurface surface_{log_};
    FakeBrowserElement browser_{"view0", log_};
    FakeRequestListPane pane_;
    RequestListTable table_;
    RequestListKeeper keeper_{browser_, table_, pane_, surface_};
};

TEST_F(RequestListKeeperTest, FillsTheTableFromTheEngineAndTellsThePane) {
    ASSERT_NE(browser_.RequestListener(), nullptr);
    PlayPage();
    EXPECT_EQ(pane_.changes, 4);
    EXPECT_EQ(keeper_.Table().CountText(), "1 requests");
    browser_.RequestListener()->PageBegan();
    EXPECT_EQ(keeper_.Table().CountText(), "0 requests");
}

TEST_F(RequestListKeeperTest, ProposesAnExportNameAfterThePage) {
    const struct {
        const char* page;
        const char* name;
    } rows[] = {
        {"http://h/dir/gallery.html", "gallery-requests.har"},
        {"http://h/", "index-requests.har"},
        {"http://h/..%2F..%2Fx.php", "%2F..%2Fx-requests.har"},
    };
    for (const auto& row : rows) {
        browser_.Navigate(row.page);
        EXPECT_EQ(keeper_.ExportFileName(), row.name) << row.page;
    }
}

TEST_F(RequestListKeeperTest, ExportsHarNeverOverAFileAndCookiesOnlyWhenAsked) {
    TempFolder folder;
    folder.Write("/page.har", "earlier");
    browser_.Navigate("http://h/page.html");
    PlayPage();
    keeper_.Export(folder / "page.har", {});
    keeper_.Export(folder / "with.har", {.includeCredentials = true});
    EXPECT_EQ(folder.Read("/page.har"), "earlier");
    const std::string without = folder.Read("/page (1).har");
    EXPECT_THAT(without, HasSubstr("\"name\":\"Quorvane\""));
    EXPECT_THAT(without, HasSubstr("\"value\":\"test\""));
    EXPECT_THAT(without, Not(HasSubstr("s3cr3t")));
    EXPECT_THAT(folder.Read("/with.har"), HasSubstr("s3cr3t"));
    EXPECT_THAT(surface_.statusText, HasSubstr("Saved with.har to "));
}

// Bodies only when asked, of the text files the engine holds, read from its copies.
TEST_F(RequestListKeeperTest, ExportsTheTextBodiesTheEngineHoldsWhenAsked) {
    TempFolder folder;
    browser_.Navigate("http://h/page.html");
    PlayPage();
    RequestEvents& engine = *browser_.RequestListener();
    const auto load = [&](RequestId id, const std::string& address, const std::string& type) {
        engine.Sent({.id = id, .method = "GET", .address = address});
        engine.Answered({.id = id, .status = 200, .statusText = "OK", .mimeType = type});
        engine.Ended({.id = id});
    };
    load(2, "http://h/app.js", "text/javascript");
    load(3, "http://h/gone.css", "text/css");
    load(4, "http://h/pic.png", "image/png");
    browser_.KeepCopy("http://h/page.html", "<p>page body</p>");
    browser_.KeepCopy("http://h/app.js", "var x = \"q\";");
    browser_.KeepCopy("http://h/pic.png", "PNG bytes");
    keeper_.Export(folder / "without.har", {});
    keeper_.Export(folder / "with.har", {.includeTextBodies = true});
    const std::string without = folder.Read("/without.har");
    EXPECT_THAT(without, Not(HasSubstr("\"text\":")));
    EXPECT_THAT(without, Not(HasSubstr("\"comment\":")));
    const std::string with = folder.Read("/with.har");
    EXPECT_THAT(with, HasSubstr("\"mimeType\":\"text/html\",\"text\":\"<p>page body</p>\""));
    EXPECT_THAT(with, HasSubstr("\"text\":\"var x = \\\"q\\\";\""));
    EXPECT_THAT(with, HasSubstr("\"mimeType\":\"text/css\",\"comment\":\"The browser no longer"));
    EXPECT_THAT(with, Not(HasSubstr("PNG bytes")));
    EXPECT_THAT(surface_.statusText, HasSubstr("Saved with.har to "));
}

using RequestViewTest = ControllerTest;

TEST_F(RequestViewTest, ExportRequestsAsksForAFileInTheDownloadFolder) {
    StartUp();
    controller_.ExportRequests();
    EXPECT_THAT(log_, ::testing::Contains(HasSubstr("ChooseFileToExportRequests(")));
    EXPECT_THAT(log_, ::testing::Contains(HasSubstr("-requests.har")));
}

}  // namespace
}  // namespace quorvane::testing
