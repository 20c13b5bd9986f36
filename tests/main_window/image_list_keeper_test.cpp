// The Image List's logic without a display: the gatherer's reports into the table, a new
// page, the export and the save of selected rows.
#include "image_list/image_list_keeper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/main_window/fake_browser_element.h"
#include "tests/main_window/fake_image_list_pane.h"
#include "tests/main_window/fake_surface.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window_thread.h"

namespace quorvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ImageListKeeperTest : public ::testing::Test {
  protected:
    CallLog log_;
    FakeSurface surface_{log_};
    FakeBrowserElement browser_{"view0", log_};
    FakeImageListPane pane_;
    ImageListTable table_;
    ImageListKeeper keeper_{browser_, table_, pane_, surface_};
};

TEST_F(ImageListKeeperTest, FillsTheTableFromTheGathererAndEmptiesItForANewPage) {
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/a.png","k":"img"}]})");
    browser_.ReportImages("{broken");
    EXPECT_EQ(pane_.changes, 1);
    EXPECT_EQ(keeper_.Table().CountText(), "1 images");
    browser_.BeginImagePage();
    EXPECT_EQ(pane_.changes, 2);
    EXPECT_EQ(keeper_.Table().CountText(), "0 images");
    keeper_.Refresh();
    EXPECT_THAT(log_, ::testing::Contains("view0.GatherImagesAgain"));
}

// The fetches of the page before end with it: they would hold the slots of the next page's.
TEST_F(ImageListKeeperTest, ANewPageCancelsTheFetchesOfThePageBefore) {
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/1","k":"css"},)"
                          R"({"a":"http://h/2","k":"css"}]})");
    surface_.RunWhatCameSoon();
    ASSERT_EQ(browser_.WaitingFetches(), 2u);
    browser_.BeginImagePage();
    EXPECT_EQ(browser_.WaitingFetches(), 0u);
}

// Each file is read once, through the Browser view, a few at a time; a data: picture
// from its data. Two addresses of the same bytes are marked.
TEST_F(ImageListKeeperTest, ReadsEachImagesBytesAndTypeOnce) {
    const std::string png = "\x89PNG\r\n\x1A\n and the rest";
    browser_.ServeFetch("http://h/a.png", png);
    browser_.ServeFetch("http://h/copy", png);
    const std::string report =
        R"({"frame":"f","gather":1,"items":[{"a":"http://h/a.png","k":"img"},)"
        R"({"a":"http://h/copy","k":"css"},{"a":"data:image/gif;base64,R0lGODlh","k":"lazy"},)"
        R"({"a":"http://h/1","k":"css"},{"a":"http://h/2","k":"css"},{"a":"http://h/3","k":"css"},)"
        R"({"a":"http://h/4","k":"css"},{"a":"http://h/5","k":"css"}]})";
    browser_.ReportImages(report);
    browser_.ReportImages(report);
    // The reads start once the window has had its turn, the data: pictures in a slice of
    // their own, and the answers' next reads in one more turn.
    EXPECT_EQ(surface_.RunWhatCameSoon(), 3);
    const std::vector<ImageRow>& rows = keeper_.Table().List().Rows();
    EXPECT_EQ(rows[0].bytes, png.size());
    EXPECT_EQ(rows[0].type, "image/png");
    EXPECT_TRUE(rows[0].sameBytes);
    EXPECT_TRUE(rows[1].sameBytes);
    EXPECT_EQ(rows[2].bytes, 6u);
    EXPECT_EQ(rows[2].type, "image/gif");
    EXPECT_FALSE(rows[2].sameBytes);
    // Two answered at once, four waiting for the engine: the sixth waits its turn.
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"),
                ElementsAre("view0.Fetch(http://h/a.png)", "view0.Fetch(http://h/copy)",
                            "view0.Fetch(http://h/1)", "view0.Fetch(http://h/2)",
                            "view0.Fetch(http://h/3)", "view0.Fetch(http://h/4)"));
    browser_.AnswerFetches();
    EXPECT_EQ(rows[6].bytes, 5u);  // "later"
    EXPECT_EQ(rows[6].type, "");
    surface_.RunWhatCameSoon();
    EXPECT_EQ(CallsStartingWith(log_, "view0.Fetch").size(), 7u);
    // Kept for the thumbnails, until the next page.
    EXPECT_EQ(Contents(keeper_.ImageFile("http://h/a.png")), png);
    EXPECT_EQ(Contents(keeper_.ImageFile("data:image/gif;base64,R0lGODlh")), "GIF89a");
    EXPECT_EQ(keeper_.ImageFile("http://h/5"), "");
    const std::string kept = keeper_.ImageFile("http://h/a.png");
    browser_.BeginImagePage();
    EXPECT_EQ(keeper_.ImageFile("http://h/a.png"), "");
    // The files of the page before go once the window has had its turn.
    surface_.RunWhatCameSoon();
    EXPECT_FALSE(std::filesystem::exists(kept));
}

// The digests of the bytes are taken beside the window: the marks come once their answers
// run on the window's thread, and an answer for a page gone marks nothing of the next.
TEST(ImageListKeeperBesideTheWindow, MarksTheSameBytesOnceTheirDigestsAnswer) {
    CallLog log;
    FakeSurface surface{log};
    FakeBrowserElement browser{"view0", log};
    FakeImageListPane pane;
    ImageListTable table;
    WindowThread window;
    ImageListKeeper keeper{browser, table, pane, surface,
                           [&window](std::function<void()> step) { window.Post(std::move(step)); }};
    const std::string png = "\x89PNG\r\n\x1A\n and the rest";
    browser.ServeFetch("http://h/a.png", png);
    browser.ServeFetch("http://h/copy", png);
    browser.ServeFetch("http://h/other.png", png + " and more");
    const std::string report =
        R"({"frame":"f","gather":1,"items":[{"a":"http://h/a.png","k":"img"},)"
        R"({"a":"http://h/copy","k":"css"},{"a":"http://h/other.png","k":"img"}]})";
    // The report is read beside the window too, and then the three files are fetched.
    browser.ReportImages(report);
    window.RunSteps(1);
    surface.RunWhatCameSoon();
    window.WaitUntilPosted(1 + 3);
    const std::vector<ImageRow>& rows = keeper.Table().List().Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].bytes.has_value()) << "no facts before their answer";
    EXPECT_EQ(window.RunPostedSteps(), 3u);
    EXPECT_EQ(rows[0].bytes, png.size());
    EXPECT_TRUE(rows[0].sameBytes);
    EXPECT_TRUE(rows[1].sameBytes);
    EXPECT_FALSE(rows[2].sameBytes);
    EXPECT_EQ(rows[2].type, "image/png");

    // The answers of the page before come after the next page has begun.
    browser.BeginImagePage();
    surface.RunWhatCameSoon();
    browser.ServeFetch("http://h/b.png", png);
    const std::string second =
        R"({"frame":"f","gather":1,"items":[{"a":"http://h/b.png","k":"img"}]})";
    browser.ReportImages(second);
    window.RunSteps(1);
    surface.RunWhatCameSoon();
    browser.BeginImagePage();
    browser.ReportImages(second);
    // The digest's answer of the page before, and the report of this one, in either order.
    window.WaitUntilPosted(4 + 3);
    window.RunPostedSteps();
    ASSERT_EQ(keeper.Table().List().Rows().size(), 1u);
    EXPECT_FALSE(keeper.Table().List().Rows()[0].bytes.has_value())
        << "the page before's answer is not this page's";
}

// The engine's copy is what the page showed: a server may answer a second request with
// other bytes. Only what the engine has not got is fetched; a file still loading is
// waited for.
TEST_F(ImageListKeeperTest, ReadsTheEnginesCopyBeforeFetching) {
    const std::string png = "\x89PNG\r\n\x1A\n as shown";
    const struct {
        const char* address;
        const char* copy;  // nullptr: the engine has none
        std::string expected;
        const char* type;
        bool fetched;
        bool loading = false;  // the engine has the copy once the page's load of it ends
    } rows[] = {
        {"http://h/changes.png", png.c_str(), png, "image/png", false},
        {"http://h/unknown", "as shown", "as shown", "", false},
        {"http://h/lazy.png", nullptr, "second answer", "", true},
        {"http://h/slow.png", png.c_str(), png, "image/png", false, true},
    };
    std::string items;
    for (const auto& row : rows) {
        if (row.copy != nullptr && row.loading) {
            browser_.KeepLoading(row.address, row.copy);
        } else if (row.copy != nullptr) {
            browser_.KeepCopy(row.address, row.copy);
        }
        browser_.ServeFetch(row.address, "second answer");
        items +=
            std::string(items.empty() ? "" : ",") + R"({"a":")" + row.address + R"(","k":"img"})";
    }
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[)" + items + "]}");
    surface_.RunWhatCameSoon();
    browser_.EndLoads();
    surface_.RunWhatCameSoon();
    const std::vector<std::string> fetches = CallsStartingWith(log_, "view0.Fetch");
    for (const auto& row : rows) {
        const ImageRow& shown = *std::find_if(
            keeper_.Table().List().Rows().begin(), keeper_.Table().List().Rows().end(),
            [&](const ImageRow& r) { return r.address == row.address; });
        EXPECT_EQ(shown.bytes, row.expected.size()) << row.address;
        EXPECT_EQ(shown.type, row.type) << row.address;
        EXPECT_EQ(Contents(keeper_.ImageFile(row.address)), row.expected) << row.address;
        EXPECT_EQ(std::count(fetches.begin(), fetches.end(),
                             std::string("view0.Fetch(") + row.address + ")"),
                  row.fetched ? 1 : 0)
            << row.address;
    }
}

// A picture is broken once its bytes failed or came as no picture; one still coming is not.
TEST_F(ImageListKeeperTest, TellsWhichBytesCameAsAPictureAndWhichNever) {
    browser_.ServeFetch("http://h/a.png", "\x89PNG\r\n\x1A\n and the rest");
    browser_.ServeFetch("http://h/page.png", "<html>Not found</html>");
    browser_.FailFetch("http://h/gone.png", "refused");
    const struct {
        const char* address;
        ImageBytes state;
    } rows[] = {
        {"http://h/a.png", ImageBytes::Picture},
        {"http://h/page.png", ImageBytes::NotPicture},
        {"http://h/gone.png", ImageBytes::Missing},
        {"http://h/coming.png", ImageBytes::Unknown},  // its fetch not answered yet
        {"data:image/png;base64,iVBORw0KGgo=", ImageBytes::Picture},
        {"data:image/png;base64,SGVsbG8=", ImageBytes::NotPicture},
    };
    std::string items;
    for (const auto& row : rows) {
        items +=
            std::string(items.empty() ? "" : ",") + R"({"a":")" + row.address + R"(","k":"img"})";
    }
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[)" + items + "]}");
    surface_.RunWhatCameSoon();
    for (std::size_t place = 0; place < std::size(rows); ++place) {
        EXPECT_EQ(keeper_.Table().List().Rows()[place].state, rows[place].state)
            << rows[place].address;
    }
    EXPECT_EQ(keeper_.Table().List().Rows()[2].bytes, std::nullopt);
    EXPECT_EQ(keeper_.Table().AuditText(), "3 broken");
}

// The engine measures the images of the page's own document while it is gathered: the
// copies wait for that gathering's last report, and never for a frame's, which may not come.
TEST_F(ImageListKeeperTest, ReadsCopiesOnceThePageIsGathered) {
    browser_.KeepCopy("http://h/a.png", "shown");
    browser_.KeepCopy("http://h/b.png", "framed");
    browser_.ReportImages(
        R"({"frame":"t","top":true,"gather":1,"items":[{"a":"http://h/a.png","k":"img"}]})");
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/b.png","k":"img"}]})");
    surface_.RunWhatCameSoon();
    const std::vector<ImageRow>& rows = keeper_.Table().List().Rows();
    EXPECT_FALSE(rows[0].bytes || rows[1].bytes);
    browser_.ReportImages(R"({"frame":"t","top":true,"gather":1,"done":true,"items":[]})");
    surface_.RunWhatCameSoon();
    EXPECT_EQ(rows[0].bytes, 5u);
    EXPECT_EQ(rows[1].bytes, 6u);
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"), ::testing::IsEmpty());
}

// Each report's rows are read, whichever report brought them: a later slice of the
// gathering, and a gathering made again, whose rows all come anew, with one never seen.
TEST_F(ImageListKeeperTest, ReadsTheRowsOfEveryReportAndOfAGatheringMadeAgain) {
    for (const char* address : {"http://h/a.png", "http://h/b.png", "http://h/c.png"}) {
        browser_.KeepCopy(address, address);
    }
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/a.png","k":"img"}]})");
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/b.png","k":"img"}]})");
    browser_.ReportImages(R"({"frame":"f","gather":2,"items":[{"a":"http://h/b.png","k":"img"}]})");
    browser_.ReportImages(R"({"frame":"f","gather":2,"done":true,"items":[)"
                          R"({"a":"http://h/c.png","k":"css"},{"a":"http://h/a.png","k":"img"}]})");
    surface_.RunWhatCameSoon();
    const std::vector<ImageRow>& rows = keeper_.Table().List().Rows();
    ASSERT_EQ(rows.size(), 3u);
    for (const ImageRow& row : rows) {
        EXPECT_EQ(row.bytes, row.address.size()) << row.address;
    }
}

// A web page may name local files: they are neither read nor saved.
TEST_F(ImageListKeeperTest, NeverReadsALocalFileForAWebPage) {
    TempFolder folder;
    browser_.Navigate("http://h/page.html");
    browser_.ReportImages(
        R"js({"frame":"f","gather":1,"items":[{"a":"file:///etc/passwd","k":"img"},)js"
        R"js({"a":"javascript:alert(1)","k":"css"}]})js");
    keeper_.Save({0, 1}, false, folder.Path());
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"), ::testing::IsEmpty());
    EXPECT_THAT(FilesIn(folder.Path()), ::testing::IsEmpty());
    EXPECT_THAT(surface_.statusText, HasSubstr("; 2 failed"));

    browser_.Navigate("file:///home/me/page.html");
    browser_.BeginImagePage();
    browser_.ReportImages(
        R"({"frame":"f","gather":1,"items":[{"a":"file:///home/me/a.png","k":"img"}]})");
    surface_.RunWhatCameSoon();
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"),
                ElementsAre("view0.Fetch(file:///home/me/a.png)"));
}

TEST_F(ImageListKeeperTest, ProposesAnExportNameAfterThePage) {
    const struct {
        const char* page;
        const char* name;
    } rows[] = {
        {"http://h/dir/gallery.html", "gallery-images.csv"},
        {"http://h/", "index-images.csv"},
        {"http://h/photos?page=2", "photos-images.csv"},
        // A name never holds a slash, encoded or not, nor begins with dots.
        {"http://h/..%2F..%2Fx.php", "%2F..%2Fx-images.csv"},
    };
    for (const auto& row : rows) {
        browser_.Navigate(row.page);
        EXPECT_EQ(keeper_.ExportFileName(), row.name) << row.page;
    }
}

TEST_F(ImageListKeeperTest, ExportsCsvOrJsonByTheNameAndNeverOverAFile) {
    TempFolder folder;
    folder.Write("/list.csv", "earlier");
    browser_.Navigate("http://h/page.html");
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://h/a.png","k":"img"}]})");
    keeper_.Export(folder / "list.csv", "2026-12-08T21:40:00Z");
    keeper_.Export(folder / "list.json", "2026-12-08T21:40:00Z");
    EXPECT_THAT(FilesIn(folder.Path()), ElementsAre("list (1).csv", "list.csv", "list.json"));
    EXPECT_THAT(folder.Read("/list (1).csv"),
                HasSubstr("\"http://h/page.html\",\"2026-12-08T21:40:00Z\",\"http://h/a.png\""));
    EXPECT_THAT(folder.Read("/list.json"), HasSubstr("\"page\": \"http://h/page.html\""));
    EXPECT_THAT(surface_.statusText, HasSubstr("Saved list.json to "));
}

TEST_F(ImageListKeeperTest, SavesTheSelectedRowsKeepingTheBestCandidate) {
    TempFolder folder;
    browser_.ServeFetch("http://h/small.png", "small");
    browser_.ServeFetch("http://h/large.png", "large");
    browser_.ServeFetch("http://h/other.png", "other");
    browser_.ReportImages(
        R"({"frame":"f","gather":1,"items":[{"a":"http://h/small.png","k":"img","g":"s","nw":10,"nh":10},)"
        R"({"a":"http://h/large.png","k":"srcset","g":"s","nw":20,"nh":20},)"
        R"({"a":"http://h/other.png","k":"css"}]})");
    keeper_.Save({0, 1, 2}, false, folder.Path());
    EXPECT_THAT(FilesIn(folder.Path()), ElementsAre("large.png", "other.png"));
    std::filesystem::create_directory(folder / "all");
    keeper_.Save({0, 1}, true, folder / "all");
    EXPECT_THAT(FilesIn(folder / "all"), ElementsAre("large.png", "small.png"));
}

}  // namespace
}  // namespace quorvane::testing
