// "Save Images…" and "Save Selected Images…" end to end: the real window and engine, pages
// served from 127.0.0.1, the folder dialog answered with xdotool.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "branding/branding_values.h"
#include "branding/gui/show_help_setting.h"
#include "desktop/user_folders.h"
#include "main_window/gui/picture_conversion_settings.h"
#include "saving/data_url.h"
#include "saving/image_type.h"
#include "saving/transfer_messages.h"
#include "tests/e2e/dialog_user.h"
#include "tests/e2e/engine_downloads_watch.h"
#include "tests/e2e/event_pump.h"
#include "tests/e2e/main_window_fixture.h"
#include "tests/e2e/test_pictures.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class SaveImagesEndToEnd : public MainWindowEndToEnd {
  protected:
    // Runs "Save Images…" and chooses folder in its dialog as a user does: the dialog is
    // modal, and the user types the path into it. A dialog still open after the last key
    // is cancelled, so that the test ends.
    void SaveImagesInto(const fs::path& folder) {
        SaveInto(folder, [this] { frame_->Controller().SaveImages(); });
    }
    void SaveInto(const fs::path& folder, const std::function<void()>& command) {
        std::thread user([&] {
            const DialogUser user("Choose a Folder for the Images");
            EXPECT_TRUE(user.WaitUntilShown() && user.TypePath(folder.string() + "/") &&
                        user.Do("key Return"));
            EXPECT_TRUE(user.WaitUntilGone()) << "the folder dialog stayed open";
        });
        command();
        user.join();
    }
};

TEST_F(SaveImagesEndToEnd, SaveImagesWritesEveryImageItCanAndCountsTheRest) {
    const std::string png = DecodeDataUrl("data:image/png;base64,iVBORw0KGgo=")->bytes;
    server_.Serve("/pics/a.png", "image/png", png + "a");
    server_.Serve("/pics/b.gif", "image/gif", "GIF89a-b");
    server_.Serve("/other/c.png", "image/png", png + "c");
    OpenPage("/pics/page.html",
             "<html><body><p>marker-save</p><img src=\"a.png\"><img src=\"b.gif\">"
             "<img src=\"missing.png\"><img src=\"/other/c.png\">"
             "<img src=\"data:image/png;base64,iVBORw0KGgo=\"></body></html>",
             "marker-save");
    const fs::path folder = FreshTempFolder("saved images");
    std::ofstream(folder / "a.png") << "there before";
    SaveImagesInto(folder);
    ASSERT_TRUE(WaitUntil([&] { return StatusText().starts_with("Saved "); })) << StatusText();

    // The missing picture is the one failure, with the server's reason; the data: picture
    // is written from its data.
    EXPECT_EQ(StatusText(), "Saved 4 of 5 images to " + FolderForDisplay(folder, UserHomeFolder()) +
                                "; 1 failed: Not Found");
    EXPECT_THAT(FilesIn(folder),
                ElementsAre("a (1).png", "a.png", "b.gif", "c.png", "image-5.png"));
    EXPECT_EQ(ReadFileBytes(folder / "image-5.png"), png);
    EXPECT_EQ(ReadFileBytes(folder / "a.png"), "there before");
    EXPECT_EQ(ReadFileBytes(folder / "a (1).png"), png + "a");
    EXPECT_EQ(ReadFileBytes(folder / "b.gif"), "GIF89a-b");
    EXPECT_EQ(ReadFileBytes(folder / "c.png"), png + "c");
    fs::remove_all(folder);
}

TEST_F(SaveImagesEndToEnd, StopEndsSaveImagesAndLeavesNoPartialFile) {
    for (const char* name : {"/slow/a.png", "/slow/b.png", "/slow/c.png"}) {
        server_.ServeAfter(std::chrono::seconds(1), name, "image/png", "not to be kept");
    }
    OpenPage("/slow/page.html",
             "<html><body><p>marker-slow</p><img src=\"a.png\"><img src=\"b.png\">"
             "<img src=\"c.png\"></body></html>",
             "marker-slow");
    const fs::path folder = FreshTempFolder("stopped images");
    const EngineDownloadsWatch downloads(*frame_);
    SaveImagesInto(folder);
    ASSERT_TRUE(WaitUntil([&] { return StatusText().starts_with("Saving 3 images"); }))
        << StatusText();
    // Each picture being fetched has a partial file of its own.
    const int fetching = static_cast<int>(FilesIn(folder).size());
    EXPECT_GT(fetching, 0);
    frame_->Controller().Stop();
    EXPECT_EQ(StatusText(),
              "Stopped: saved 0 of 3 images to " + FolderForDisplay(folder, UserHomeFolder()));
    // The engine reports each fetch as a download of its own, a cancelled one too, ends it,
    // and lets go of its files, in its own time. Once every one has ended, none of them
    // writes any more. (The Image List may fetch the pictures the engine holds no copy of,
    // these broken ones, as downloads of its own: they are counted, and never go here.)
    EXPECT_TRUE(WaitUntil(
        [&] {
            return downloads.Started() >= fetching && downloads.Ended() == downloads.Started() &&
                   FilesIn(folder).empty();
        },
        std::chrono::seconds(60)))
        << downloads.Ended() << " of " << downloads.Started() << " downloads ended, files "
        << ::testing::PrintToString(FilesIn(folder));
    fs::remove_all(folder);
}

// The width and height of the picture in file, decoded as the desktop decodes it; 0 by 0
// when it does not decode.
std::pair<int, int> DecodedSize(const fs::path& file) {
    GdkPixbuf* picture = gdk_pixbuf_new_from_file(file.c_str(), nullptr);
    if (picture == nullptr) {
        return {0, 0};
    }
    const std::pair<int, int> size{gdk_pixbuf_get_width(picture), gdk_pixbuf_get_height(picture)};
    g_object_unref(picture);
    return size;
}

// The dialog starts with the "Convert to" choice last chosen, here PNG: the user only
// chooses the folder.
TEST_F(SaveImagesEndToEnd, SaveSelectedImagesConvertsToPngAndNamesEachForItsBytes) {
    const PictureConversionSettings settings(UserSettingsFile(branding.productName));
    ASSERT_TRUE(settings.Write({PictureFormat::Png, 80}));
    std::string body = "<p>marker-convert</p>";
    std::vector<std::pair<std::string, std::pair<int, int>>> expected;
    for (const TestPicture& picture : TestPictures()) {
        // Each of its own name once converted: "gif.gif" becomes "gif.png".
        const std::string kind = picture.type.substr(picture.type.find('/') + 1);
        const std::string name = kind + picture.name.substr(picture.name.rfind('.'));
        server_.Serve("/convert/" + name, picture.type, picture.bytes);
        body += "<img src=\"" + name + "\">";
        expected.push_back({kind + ".png", {picture.width, picture.height}});
    }
    const TestPicture& png = TestPictures().front();
    server_.Serve("/convert/x.jpg", "image/jpeg", png.bytes + "x");
    body += "<img src=\"x.jpg\">";
    expected.push_back({"x.png", {png.width, png.height}});
    OpenPage("/convert/page.html", "<html><body>" + body + "</body></html>", "marker-convert");
    frame_->Controller().SelectView(MainWindowController::kImageListView);
    ASSERT_TRUE(WaitUntil([&] { return frame_->ImageTable().List().Rows().size() == 5; }))
        << frame_->ImageTable().List().Rows().size() << " rows";

    const fs::path folder = FreshTempFolder("converted images");
    SaveInto(folder, [this] { frame_->Controller().SaveListedImages({0, 1, 2, 3, 4}, false); });
    ASSERT_TRUE(WaitUntil([&] { return StatusText().starts_with("Saved "); })) << StatusText();
    EXPECT_EQ(StatusText(), "Saved 5 of 5 images to " + FolderForDisplay(folder, UserHomeFolder()) +
                                "; x.jpg saved as x.png, for its PNG bytes; 3 converted to PNG");
    std::vector<std::string> names;
    for (const auto& [name, size] : expected) {
        names.push_back(name);
        EXPECT_EQ(DecodedSize(folder / name), size) << name;
        EXPECT_EQ(SniffedImageType(ReadFileBytes(folder / name)), "image/png") << name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(FilesIn(folder), names);
    EXPECT_EQ(ReadFileBytes(folder / "x.png"), png.bytes + "x")
        << "a PNG already is kept as it came";
    EXPECT_EQ(settings.Read(), (PictureConversion{PictureFormat::Png, 80})) << "the choice stays";
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvane::test
