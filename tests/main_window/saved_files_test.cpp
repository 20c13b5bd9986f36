// The pure rules behind downloads and "Save Images…": safe and numbered file names,
// partial files, data: addresses, the image list, the zoom ladder and the messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "main_window/data_url.h"
#include "main_window/find_in_page.h"
#include "main_window/images_to_save.h"
#include "main_window/partial_file.h"
#include "main_window/saved_file_name.h"
#include "main_window/transfer_messages.h"
#include "main_window/zoom_ladder.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

TEST(SavedFileName, KeepsAServerFromPlacingOrHidingAFile) {
    const std::string longStem(300, 'a');
    const std::string longUtf8 = std::string(195, 'b') + "\xC3\xA9" + std::string(20, 'c') + ".png";
    const struct {
        std::string suggested;
        std::string name;
    } rows[] = {
        {"archive.zip", "archive.zip"},
        {"../../.bashrc", "bashrc"},
        {"dir\\evil.exe", "evil.exe"},
        {"a\nb\x7F.txt", "a_b_.txt"},
        {"  ...  ", "download"},
        {"", "download"},
        {"/", "download"},
        {"name with spaces .pdf ", "name with spaces .pdf"},
        {longStem + ".tar.gz", std::string(kMaxSavedNameBytes - 7, 'a') + ".tar.gz"},
        // Cut before the extension, never inside a character.
        {longUtf8, std::string(195, 'b') + ".png"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SafeFileName(row.suggested, "download"), row.name) << row.suggested;
    }
}

TEST(SavedFileName, NumbersBeforeTheExtension) {
    const struct {
        const char* name;
        int n;
        const char* numbered;
    } rows[] = {
        {"archive.zip", 1, "archive (1).zip"}, {"notes", 2, "notes (2)"},
        {"data.tar.gz", 1, "data (1).tar.gz"}, {".profile", 1, ".profile (1)"},
        {"v1.2.png", 3, "v1.2 (3).png"},       {"tar.gz", 1, "tar (1).gz"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NumberedFileName(row.name, row.n), row.numbered) << row.name;
    }
    EXPECT_EQ(FreeFileName("a.png", [](const std::string& name) { return name != "a (2).png"; }),
              "a (2).png");
}

TEST(PartialFile, NeverReplacesAFileAndLeavesNothingUnlessCommitted) {
    TempFolder folder;
    folder.Write("/archive.zip", "earlier");
    folder.Write("/archive (1).zip.part", "another download");
    {
        PartialFile file(folder.Path(), "archive.zip");
        EXPECT_EQ(file.Path(), folder / "archive (2).zip.part");
        EXPECT_EQ(folder.Read("/archive (2).zip.part"), "");
    }
    EXPECT_FALSE(fs::exists(folder / "archive (2).zip.part"));

    PartialFile file(folder.Path(), "archive.zip");
    std::ofstream(file.Path()) << "new bytes";
    // A file of the chosen name appeared while the bytes arrived.
    folder.Write("/archive (2).zip", "appeared meanwhile");
    EXPECT_EQ(file.Commit(), folder / "archive (3).zip");
    EXPECT_EQ(folder.Read("/archive (3).zip"), "new bytes");
    EXPECT_EQ(folder.Read("/archive (2).zip"), "appeared meanwhile");
    EXPECT_EQ(folder.Read("/archive.zip"), "earlier");
    EXPECT_FALSE(fs::exists(folder / "archive (2).zip.part"));

    PartialFile inNewFolder(folder / "made" / "here", "x.png");
    EXPECT_TRUE(fs::exists(folder / "made" / "here" / "x.png.part"));
    EXPECT_THROW(PartialFile(folder / "archive.zip" / "below a file", "x.png"), std::system_error);
}

TEST(DataUrl, DecodesAsBrowsersDo) {
    const struct {
        const char* address;
        std::optional<std::string> type;
        std::string bytes;
    } rows[] = {
        {"data:image/png;base64,iVBORw0KGgo=", "image/png", "\x89PNG\r\n\x1A\n"},
        {"DATA:image/gif;BASE64,R0lG ODlh", "image/gif", "GIF89a"},
        {"data:image/gif;base64,R0lGOD%6Ch", "image/gif", "GIF89a"},
        {"data:image/svg+xml;charset=utf-8,%3Csvg%2F%3E", "image/svg+xml", "<svg/>"},
        {"data:,A%20b%zz", "text/plain", "A b%zz"},
        {"data:image/png;base64,iVBORw0KGgo=====", std::nullopt, ""},
        {"data:image/png;base64,a", std::nullopt, ""},
        {"data:image/png;base64,ab*d", std::nullopt, ""},
        {"data:image/png", std::nullopt, ""},
        {"http://host/data:image/png,x", std::nullopt, ""},
    };
    for (const auto& row : rows) {
        const auto content = DecodeDataUrl(row.address);
        ASSERT_EQ(content.has_value(), row.type.has_value()) << row.address;
        if (content) {
            EXPECT_EQ(content->mediaType, *row.type) << row.address;
            EXPECT_EQ(content->bytes, row.bytes) << row.address;
        }
    }
}

TEST(ImagesToSave, TakesTheImagesViewsAddressesAndNamesEachFile) {
    const std::vector<std::string> links = {
        "http://host/pics/a.png",
        "host/pics/b%20c.gif?size=2&amp;v=1#top",
        "https://host/dir/",
        "data:image/jpeg;base64,/9j/",
        "data:application/x-thing,abc",
        "file:///home/me/../x/.hidden.png",
    };
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"http://host/pics/a.png", "a.png"},
        {"http://host/pics/b%20c.gif?size=2&v=1#top", "b c.gif"},
        {"https://host/dir/", "image"},
        {"data:image/jpeg;base64,/9j/", "image.jpg"},
        {"data:application/x-thing,abc", "image"},
        {"file:///home/me/../x/.hidden.png", "hidden.png"},
    };
    const std::vector<ImageToSave> images = ImagesToSave(links);
    ASSERT_EQ(images.size(), expected.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].address, expected[i].first);
        EXPECT_EQ(images[i].fileName, expected[i].second);
    }
}

TEST(ZoomLadder, StepsThroughTheLadderAndStopsAtItsEnds) {
    const struct {
        double level, in, out;
        const char* percent;
    } rows[] = {
        {1.0, 1.1, 0.9, "100 %"},
        {0.3, 0.5, 0.3, "30 %"},
        {3.0, 3.0, 2.5, "300 %"},
        {1.2, 1.25, 1.1, "120 %"},
        {4.0, 4.0, 3.0, "400 %"},
        {0.2, 0.3, 0.2, "20 %"},
        {0.67, 0.8, 0.5, "67 %"},
        // The engine may hand back a rung a little off.
        {1.0999999, 1.25, 1.0, "110 %"},
        {1.0000001, 1.1, 0.9, "100 %"},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(ZoomedIn(row.level), row.in) << row.level;
        EXPECT_DOUBLE_EQ(ZoomedOut(row.level), row.out) << row.level;
        EXPECT_EQ(ZoomPercent(row.level), row.percent) << row.level;
        EXPECT_EQ(IsActualSize(row.level), row.percent == std::string("100 %")) << row.level;
    }
}

TEST(TransferMessages, SayWhatWasSavedWhere) {
    const fs::path home = "/home/me";
    EXPECT_EQ(SavedFileMessage("/home/me/Downloads/archive.zip", home),
              "Saved archive.zip to ~/Downloads");
    EXPECT_EQ(SavedFileMessage("/home/me/archive.zip", home), "Saved archive.zip to ~");
    EXPECT_EQ(SavedFileMessage("/home/meg/a.zip", home), "Saved a.zip to /home/meg");
    EXPECT_EQ(SavedFileMessage("/srv/a.zip", home), "Saved a.zip to /srv");
    const fs::path folder = "/home/me/Downloads/page";
    const struct {
        ImageSavingTally tally;
        const char* message;
    } rows[] = {
        {{38, 37, 1, false}, "Saved 37 of 38 images to ~/Downloads/page; 1 failed"},
        {{1, 1, 0, false}, "Saved 1 of 1 image to ~/Downloads/page"},
        {{38, 10, 2, true}, "Stopped: saved 10 of 38 images to ~/Downloads/page; 2 failed"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SavedImagesMessage(row.tally, folder, home), row.message);
    }
}

TEST(FindStatus, SaysWhereTheUserIsAmongTheMatches) {
    EXPECT_EQ(FindStatusText(false, 0, 0, 1000), "");
    EXPECT_EQ(FindStatusText(true, 0, 0, 1000), "Not found");
    EXPECT_EQ(FindStatusText(true, 41, 3, 1000), "3 of 41");
    EXPECT_EQ(FindStatusText(true, 1001, 1, 1000), "More than 1000 matches");
}

}  // namespace
}  // namespace quorvane
