// Find, zoom and "Save Images…" on the visible view, against fake views.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "desktop/user_folders.h"
#include "engine/download_target.h"
#include "engine/running_downloads.h"
#include "main_window/commands.h"
#include "saving/image_saving.h"
#include "saving/images_to_save.h"
#include "saving/partial_file.h"
#include "tests/main_window/controller_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageCommandsTest : public ControllerTest {
  protected:
    void SetUp() override { StartUp(); }

    // Analyses a page of the Browser view that shows these pictures.
    void AnalysePageWithImages(const std::vector<std::string>& sources) {
        std::string body = "<body>";
        for (const std::string& source : sources) {
            body += "<img src=\"" + source + "\">\r\n";
        }
        browser_.SetBody(body + "</body>");
        controller_.AnalysePage();
        log_.clear();
    }
    std::vector<std::string> FilesIn(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(PageCommandsTest, FindCountsInTheVisibleViewAndFollowsItWhenItChanges) {
    source_.SetMatches(3);
    images_.SetMatches(0);
    ClickTab(1);
    controller_.Find("img", false);
    EXPECT_EQ(surface_.findStatus, "1 of 3");
    controller_.FindNext();
    controller_.FindNext();
    EXPECT_EQ(surface_.findStatus, "3 of 3");
    controller_.FindNext();
    EXPECT_EQ(surface_.findStatus, "1 of 3");
    controller_.FindPrevious();
    EXPECT_EQ(surface_.findStatus, "3 of 3");
    EXPECT_THAT(CallsStartingWith(log_, "view"),
                ElementsAre("view1.Find(img, 1000)", "view1.FindNext", "view1.FindNext",
                            "view1.FindNext", "view1.FindPrevious"));

    // The View menu shows another view: the search moves there, case and all.
    controller_.Find("IMG", true);
    log_.clear();
    controller_.SelectView(2);
    EXPECT_EQ(surface_.findStatus, "Not found");
    EXPECT_THAT(CallsStartingWith(log_, "view1.EndFind"), ElementsAre("view1.EndFind"));
    EXPECT_THAT(CallsStartingWith(log_, "view2.Find"), ElementsAre("view2.Find(IMG, case, 1000)"));

    // Once closed, a view change searches nothing.
    controller_.EndFind();
    log_.clear();
    controller_.SelectView(0);
    EXPECT_THAT(CallsStartingWith(log_, "view0.Find"), IsEmpty());
    EXPECT_THAT(CallsStartingWith(log_, "view2.EndFind"), IsEmpty());
}

TEST_F(PageCommandsTest, ZoomChangesOnlyTheVisibleView) {
    ClickTab(1);
    controller_.ZoomIn();
    controller_.ZoomIn();
    EXPECT_DOUBLE_EQ(source_.ZoomLevel(), 1.25);
    ClickTab(2);
    controller_.ZoomOut();
    EXPECT_EQ(surface_.statusText, "Zoom 90 %");
    EXPECT_DOUBLE_EQ(images_.ZoomLevel(), 0.9);
    EXPECT_DOUBLE_EQ(source_.ZoomLevel(), 1.25);
    EXPECT_DOUBLE_EQ(browser_.ZoomLevel(), 1.0);
    controller_.ActualSize();
    EXPECT_EQ(surface_.statusText, "Zoom 100 %");
    EXPECT_DOUBLE_EQ(images_.ZoomLevel(), 1.0);
    EXPECT_DOUBLE_EQ(source_.ZoomLevel(), 1.25);
}

// Panel 1 says the visible view's level after Ctrl+wheel too, and on a view change when
// that view is zoomed or the panel still says the level of the view before.
TEST_F(PageCommandsTest, PanelOneSaysTheVisibleViewsZoomWhereverItChanged) {
    struct Step {
        std::function<void()> act;
        const char* said;
    } steps[] = {
        {[&] { controller_.ZoomChanged(0, 1.5); }, "Zoom 150 %"},
        {[&] { controller_.StatusTextChange(0, "Done"); }, "Zoom 150 %"},
        {[&] { controller_.ZoomChanged(1, 2.0); }, "Zoom 150 %"},
        {[&] {
             controller_.UserAction();
             controller_.StatusTextChange(0, "Done");
         },
         "Done"},
        {[&] {
             source_.SetZoomLevel(1.25);
             controller_.SelectView(1);
         },
         "Zoom 125 %"},
        {[&] { controller_.SelectView(2); }, "Zoom 100 %"},
        {[&] {
             controller_.StatusTextChange(0, "Opening");
             controller_.SelectView(2);
         },
         "Opening"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(surface_.statusText, step.said);
    }
}

TEST_F(PageCommandsTest, SavesEveryImageOnceAndSaysHowItWent) {
    TempFolder folder;
    folder.Write("/a.png", "was there before");
    browser_.ServeFetch("http://host/a.png", "first a");
    browser_.ServeFetch("http://host/b/a.png", "second a");
    browser_.FailFetch("http://host/missing.gif", "404 Not Found");
    browser_.ServeFetch("http://host/c.jpg", "c");
    ImageSaving saving(surface_, browser_);
    saving.Start(
        ImagesToSave({"http://host/a.png", "http://host/b/a.png", "http://host/missing.gif",
                      "data:image/gif;base64,R0lGODlh", "http://host/c.jpg"}),
        folder.Path());

    EXPECT_FALSE(saving.Running());
    EXPECT_THAT(FilesIn(folder.Path()),
                ElementsAre("a (1).png", "a (2).png", "a.png", "c.jpg", "image-4.gif"));
    EXPECT_EQ(folder.Read("/a.png"), "was there before");
    EXPECT_EQ(folder.Read("/a (1).png"), "first a");
    EXPECT_EQ(folder.Read("/a (2).png"), "second a");
    EXPECT_EQ(folder.Read("/image-4.gif"), "GIF89a");
    EXPECT_EQ(surface_.statusText, "Saved 4 of 5 images to " +
                                       FolderForDisplay(folder.Path(), UserHomeFolder()) +
                                       "; 1 failed: 404 Not Found");
    EXPECT_FLOAT_EQ(surface_.progressMax, 5);
    EXPECT_FLOAT_EQ(surface_.progressValue, 5);
}

// Thousands of data: pictures are written a slice at a time, the window getting its turn
// between slices, each under a name of its own.
TEST_F(PageCommandsTest, WritesDataPicturesInSlicesThatLetTheWindowIn) {
    TempFolder folder;
    std::vector<std::string> links;
    for (int n = 0; n < 100; ++n) {
        links.push_back("data:image/gif,GIF89a" + std::to_string(n));
    }
    ImageSaving saving(surface_, browser_);
    saving.Start(ImagesToSave(links), folder.Path());
    EXPECT_TRUE(saving.Running());
    // A slow disk makes slices of fewer pictures.
    EXPECT_THAT(FilesIn(folder.Path()).size(),
                ::testing::AllOf(::testing::Ge(1u), ::testing::Le(ImageSaving::kDataPerSlice)));
    EXPECT_GE(surface_.RunWhatCameSoon(), 3);
    EXPECT_FALSE(saving.Running());
    const std::vector<std::string> files = FilesIn(folder.Path());
    ASSERT_EQ(files.size(), 100u);
    EXPECT_EQ(files.front(), "image-1.gif");
    EXPECT_EQ(folder.Read("/image-100.gif"), "GIF89a99");
    EXPECT_EQ(surface_.statusText,
              "Saved 100 of 100 images to " + FolderForDisplay(folder.Path(), UserHomeFolder()));
}

// Bytes saved once in a run are not saved again under another name, fetched or data:;
// an address the list holds only in part fails without a fetch.
TEST_F(PageCommandsTest, SkipsImagesWhoseBytesItSavedAlready) {
    TempFolder folder;
    browser_.ServeFetch("http://host/a.png", "same");
    browser_.ServeFetch("http://host/b.png", "same");
    browser_.ServeFetch("http://host/c.png", "other");
    std::vector<ImageToSave> images = ImagesToSave(
        {"http://host/a.png", "http://host/b.png", "http://host/c.png", "data:image/gif,GIF89a",
         "data:image/gif;base64,R0lGODlh", "data:image/png;base64,iVBOR"});
    images.back().cut = true;
    ImageSaving saving(surface_, browser_);
    saving.Start(std::move(images), folder.Path());

    EXPECT_THAT(FilesIn(folder.Path()), ElementsAre("a.png", "c.png", "image-4.gif"));
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"), ::testing::SizeIs(3));
    EXPECT_EQ(surface_.statusText,
              "Saved 3 of 6 images to " + FolderForDisplay(folder.Path(), UserHomeFolder()) +
                  "; 2 duplicates skipped; 1 failed: the address is cut short");
    EXPECT_FLOAT_EQ(surface_.progressValue, 6);
}

// Every failure says why: a folder that cannot be made, a disk too small for the
// pictures (a limit on the size of a file, which is what a full disk looks like to the
// program), the server's answer; the most frequent reason first.
TEST_F(PageCommandsTest, SaysWhyImagesFailed) {
    TempFolder folder;
    folder.Write("/file", "not a folder");
    browser_.FailFetch("http://host/missing.gif", "the server answered 404 Not Found");
    const std::string big = "data:image/gif,GIF89a" + std::string(100, 'x');
    const struct {
        fs::path into;
        rlim_t maxFileSize;
        std::vector<std::string> images;
        std::string failed;
    } rows[] = {
        {folder / "file" / "below",
         RLIM_INFINITY,
         {big, "http://host/missing.gif"},
         "2 failed: Not a directory"},
        {folder / "full",
         16,
         {big, "http://host/missing.gif", big + "2"},
         "3 failed: File too large (2), the server answered 404 Not Found (1)"},
        {folder / "fine",
         RLIM_INFINITY,
         {"data:image/gif;base64,R0lGOD!!", big},
         "1 failed: "
         "the data: "
         "address is "
         "broken"},
    };
    for (const auto& row : rows) {
        int said[2];
        ASSERT_EQ(::pipe(said), 0);
        // The child says what panel 1 said through the pipe, which no file size limits.
        const int exit = RunWithFileSizeLimit(row.maxFileSize, [&] {
            ImageSaving saving(surface_, browser_);
            saving.Start(ImagesToSave(row.images), row.into);
            const std::string& text = surface_.statusText;
            return ::write(said[1], text.data(), text.size()) == static_cast<ssize_t>(text.size())
                       ? 0
                       : 1;
        });
        ::close(said[1]);
        std::string text(4096, '\0');
        const ssize_t read = ::read(said[0], text.data(), text.size());
        ::close(said[0]);
        text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
        EXPECT_EQ(exit, 0);
        EXPECT_THAT(text, ::testing::EndsWith("; " + row.failed)) << row.into;
    }
}

// A run killed in the middle of a save leaves its partial files; the next save into the
// folder removes them, and only them.
TEST_F(PageCommandsTest, ASaveRemovesThePartialFilesAKilledRunLeft) {
    TempFolder folder;
    const pid_t killed = ::fork();
    if (killed == 0) {
        ::_exit(0);
    }
    ASSERT_GT(killed, 0);
    ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
    const std::string left = "a.png.quorvane-" + std::to_string(killed) + ".part";
    const std::vector<std::string> kept = {"a.png.part", "notes.2024.part",
                                           PartialFile::PartialName("b.png")};
    for (const std::string& name : kept) {
        folder.Write("/" + name, "kept");
    }
    folder.Write("/" + left, "left");
    folder.Write("/" + left + kEngineSuffix, "left");
    ImageSaving saving(surface_, browser_);
    saving.Start(ImagesToSave({"data:image/gif,GIF89a"}), folder.Path());
    std::vector<std::string> expected = kept;
    expected.push_back("image-1.gif");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(folder.Path()), expected);
}

TEST_F(PageCommandsTest, StopEndsTheSavingAndRemovesItsPartialFiles) {
    TempFolder folder;
    AnalysePageWithImages({"a.png", "b.png", "c.png", "d.png", "e.png", "f.png"});
    surface_.folderToSaveImages = folder.Path();
    controller_.SaveImages();
    EXPECT_THAT(
        CallsStartingWith(log_, "surface.ChooseFolderToSaveImages"),
        ElementsAre("surface.ChooseFolderToSaveImages(" + UserDownloadFolder().string() + ")"));
    // A few at a time, each in its partial file until it is whole.
    EXPECT_EQ(browser_.WaitingFetches(), 4u);
    EXPECT_EQ(FilesIn(folder.Path()).size(), 4u);
    EXPECT_FALSE(controller_.CanSaveImages());
    log_.clear();
    controller_.SaveImages();
    EXPECT_THAT(log_, IsEmpty());

    controller_.Stop();
    EXPECT_THAT(FilesIn(folder.Path()), IsEmpty());
    EXPECT_EQ(surface_.statusText, "Stopped: saved 0 of 6 images to " +
                                       FolderForDisplay(folder.Path(), UserHomeFolder()));
    EXPECT_TRUE(controller_.CanSaveImages());
}

// The window's downloads, recorded in the log the fake views write.
class FakeDownloads : public RunningDownloads {
  public:
    explicit FakeDownloads(CallLog& log) : log_(log) {}
    bool AnyRunning() const override { return running; }
    void CancelAll() override {
        log_.push_back("downloads.CancelAll");
        running = false;
    }
    bool running = false;

  private:
    CallLog& log_;
};

// "Cancel Download" is for the downloads alone: "Save Images…" goes on with its fetches.
// Stop ends both.
TEST_F(PageCommandsTest, CancelDownloadCancelsTheDownloadsAloneAndStopCancelsThemToo) {
    FakeDownloads downloads(log_);
    const Command& cancel = CommandFor(CommandId::CancelDownload);
    downloads.running = true;
    EXPECT_FALSE(cancel.enabled({controller_, window_})) << "no downloads followed yet";
    controller_.FollowDownloads(downloads);
    EXPECT_TRUE(cancel.enabled({controller_, window_}));
    TempFolder folder;
    AnalysePageWithImages({"a.png", "b.png"});
    surface_.folderToSaveImages = folder.Path();
    controller_.SaveImages();
    log_.clear();

    cancel.run({controller_, window_});
    EXPECT_THAT(log_, ElementsAre("downloads.CancelAll"));
    EXPECT_FALSE(cancel.enabled({controller_, window_}));
    EXPECT_EQ(browser_.WaitingFetches(), 2u);
    EXPECT_FALSE(controller_.CanSaveImages()) << "the save must still run";

    downloads.running = true;
    log_.clear();
    CommandFor(CommandId::Stop).run({controller_, window_});
    EXPECT_THAT(CallsStartingWith(log_, "downloads"), ElementsAre("downloads.CancelAll"));
    EXPECT_EQ(browser_.WaitingFetches(), 0u);
    EXPECT_TRUE(controller_.CanSaveImages());
}

// The Image List's export and save ask where, starting in the download folder; Stop ends
// the list's save too.
TEST_F(PageCommandsTest, ExportsAndSavesTheImageListWhereTheUserChooses) {
    TempFolder folder;
    browser_.Navigate("http://host/dir/gallery.html");
    browser_.ReportImages(R"({"frame":"f","gather":1,"items":[{"a":"http://host/a.png","k":"img"},)"
                          R"({"a":"http://host/b.png","k":"css"}]})");
    surface_.RunWhatCameSoon();  // the list's reads start at the window's next turn
    log_.clear();
    surface_.fileToExportImageList = std::nullopt;
    controller_.ExportImageList();
    EXPECT_THAT(CallsStartingWith(log_, "surface"),
                ElementsAre("surface.ChooseFileToExportImageList(" + UserDownloadFolder().string() +
                            ", gallery-images.csv)"));
    EXPECT_THAT(FilesIn(folder.Path()), IsEmpty());
    surface_.fileToExportImageList = (folder / "list.json").string();
    controller_.ExportImageList();
    EXPECT_THAT(folder.Read("/list.json"),
                ::testing::HasSubstr("\"address\": \"http://host/b.png\""));

    log_.clear();
    controller_.SaveListedImages({}, false);
    EXPECT_THAT(log_, IsEmpty());
    surface_.folderToSaveImages = (folder / "saved").string();
    std::filesystem::create_directory(folder / "saved");
    controller_.SaveListedImages({0, 1}, false);
    EXPECT_EQ(browser_.WaitingFetches(), 4u);  // two for the list's facts, two to save
    log_.clear();
    controller_.Stop();
    EXPECT_EQ(browser_.WaitingFetches(), 2u) << "the list's own fetches go on";
    EXPECT_THAT(CallsStartingWith(log_, "view0.Fetch"), IsEmpty()) << "and are not asked again";
    EXPECT_THAT(FilesIn(folder / "saved"), IsEmpty());
    EXPECT_EQ(surface_.statusText, "Stopped: saved 0 of 2 images to " +
                                       FolderForDisplay(folder / "saved", UserHomeFolder()));
}

TEST_F(PageCommandsTest, SavesNothingWithoutImagesOrAFolder) {
    AnalysePageWithImages({});
    EXPECT_FALSE(controller_.CanSaveImages());
    controller_.SaveImages();
    EXPECT_THAT(log_, IsEmpty());
    AnalysePageWithImages({"a.png"});
    surface_.folderToSaveImages = std::nullopt;
    controller_.SaveImages();
    EXPECT_THAT(log_, ElementsAre("surface.ChooseFolderToSaveImages(" +
                                  UserDownloadFolder().string() + ")"));
}

}  // namespace
}  // namespace quorvane::testing
