// A download of the engine's as the program saves it: where it goes, what panel 1 says of
// it, and what is left in the download folder however it ends.
#include "saving/saved_download.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Panel 1's texts and the bar's last value.
class RecordedReport : public TransferReport {
  public:
    void SetStatusText(const std::string& text) override { texts.push_back(text); }
    void SetProgress(float, float value) override { bar = value; }
    void CallSoon(std::function<void()> step) override { step(); }

    std::vector<std::string> texts;
    float bar = -1;
};

// A home of the test's own, its download folder "~/Downloads" inside it.
class SavedDownloadTest : public ::testing::Test {
  protected:
    SavedDownloadTest() {
        ::setenv("HOME", home_.Path().c_str(), 1);
        ::setenv("XDG_DOWNLOAD_DIR", Downloads().c_str(), 1);
    }
    ~SavedDownloadTest() override {
        ::unsetenv("XDG_DOWNLOAD_DIR");
        oldHome_.empty() ? ::unsetenv("HOME") : ::setenv("HOME", oldHome_.c_str(), 1);
    }

    fs::path Downloads() const { return home_ / "Downloads"; }
    // The names in the download folder, in order.
    std::vector<std::string> Left() const {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(Downloads(), ignored)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string oldHome_ = ::getenv("HOME") != nullptr ? ::getenv("HOME") : "";
    TempFolder home_;
    RecordedReport report_;
};

// What the engine tells a download, step by step.
enum class Step { Destination, Started, Received, Written, Finished, Failed, Cancelled };

// Tells download each step, the engine's way: the bytes are written into the file chosen.
void Tell(SavedDownload& download, const std::vector<Step>& steps) {
    DownloadDestination destination;
    for (const Step step : steps) {
        switch (step) {
            case Step::Destination:
                destination = download.DestinationFor("archive.zip");
                break;
            case Step::Started:
                download.Started();
                break;
            case Step::Received:
                download.Received(3'100'000, 8'000'000, 0.5);
                break;
            case Step::Written:
                std::ofstream(destination.filePath, std::ios::binary) << "zip bytes";
                break;
            case Step::Finished:
                download.Finished();
                break;
            case Step::Failed:
                download.Failed("the server answered 404 Not Found");
                break;
            case Step::Cancelled:
                download.Cancelled();
                break;
        }
    }
}

TEST_F(SavedDownloadTest, SaysHowItWentAndLeavesAFileOnlyWhenWhole) {
    const std::string started = "Downloading archive.zip…";
    const std::string progress = "Downloading archive.zip: 3.1 of 8.0 MB";
    const struct {
        const char* behaviour;
        std::vector<Step> steps;
        std::vector<std::string> texts;
        std::vector<std::string> left;
    } rows[] = {
        {"whole",
         {Step::Destination, Step::Started, Step::Received, Step::Received, Step::Written,
          Step::Finished},
         {started, progress, "Saved archive.zip to ~/Downloads"},
         {"archive.zip"}},
        {"failed",
         {Step::Destination, Step::Started, Step::Received, Step::Written, Step::Failed},
         {started, progress, "Download of archive.zip failed: the server answered 404 Not Found"},
         {}},
        {"cancelled",
         {Step::Destination, Step::Started, Step::Written, Step::Cancelled},
         {started, "Download of archive.zip cancelled"},
         {}},
        {"failed before the server named it",
         {Step::Failed},
         {"Download of download failed: the server answered 404 Not Found"},
         {}},
        {"finished with no file chosen",
         {Step::Finished},
         {"Download of download failed: the engine wrote it nowhere"},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        report_.texts.clear();
        {
            SavedDownload download(report_);
            Tell(download, row.steps);
            EXPECT_THAT(report_.texts, ElementsAreArray(row.texts));
            // Every end leaves the bar empty, as after a page.
            EXPECT_FLOAT_EQ(report_.bar, 0.01f);
        }
        EXPECT_THAT(Left(), ElementsAreArray(row.left));
        fs::remove_all(Downloads());
    }
}

TEST_F(SavedDownloadTest, WritesAPartialFileNeverOverAFileThatIsThere) {
    fs::create_directories(Downloads());
    std::ofstream(Downloads() / "archive.zip") << "the user's own";
    SavedDownload download(report_);
    const DownloadDestination destination = download.DestinationFor("../archive.zip");
    EXPECT_EQ(fs::path(destination.filePath),
              Downloads() / PartialFile::PartialName("archive (1).zip"));
    EXPECT_TRUE(fs::exists(destination.filePath));
    download.Started();
    download.Received(12'340, 0, 0.0);
    EXPECT_FLOAT_EQ(report_.bar, 0.01f);
    download.Received(2'500'000, 0, 0.25);
    EXPECT_FLOAT_EQ(report_.bar, 25);
    download.Finished();
    EXPECT_THAT(
        report_.texts,
        ElementsAre("Downloading archive (1).zip…", "Downloading archive (1).zip: 12.3 kB",
                    "Downloading archive (1).zip: 2.5 MB", "Saved archive (1).zip to ~/Downloads"));
    EXPECT_THAT(Left(), ElementsAre("archive (1).zip", "archive.zip"));
}

TEST_F(SavedDownloadTest, AFolderThatCannotBeWrittenIsNamedInTheFailure) {
    std::ofstream(home_ / "Downloads") << "a file, where the folder should be";
    ::setenv("XDG_DOWNLOAD_DIR", (home_ / "Downloads" / "inside").c_str(), 1);
    SavedDownload download(report_);
    const DownloadDestination destination = download.DestinationFor("archive.zip");
    EXPECT_EQ(destination.filePath, "");
    EXPECT_EQ(destination.failure, "cannot write to ~/Downloads/inside (Not a directory)");
    EXPECT_THAT(report_.texts, IsEmpty());
    download.Failed(destination.failure);
    EXPECT_THAT(report_.texts,
                ElementsAre("Download of archive.zip failed: cannot write to ~/Downloads/inside "
                            "(Not a directory)"));
}

TEST_F(SavedDownloadTest, OneThatGoesUnfinishedLeavesNothingAndSaysNothing) {
    {
        SavedDownload download(report_);
        Tell(download, {Step::Destination, Step::Started, Step::Written});
    }
    EXPECT_THAT(Left(), IsEmpty());
    EXPECT_THAT(report_.texts, ElementsAre("Downloading archive.zip…"));
}

}  // namespace
}  // namespace quorvane
