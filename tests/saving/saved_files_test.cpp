// The pure rules behind downloads and "Save Images…": safe and numbered file names,
// partial files, data: addresses, the image list and the messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "saving/data_url.h"
#include "saving/image_choice.h"
#include "saving/image_type.h"
#include "saving/images_to_save.h"
#include "saving/partial_file.h"
#include "saving/saved_file_name.h"
#include "saving/transfer_messages.h"
#include "saving/whole_file.h"
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
        // U+202E and its kin would show "photo\u202Egpj.exe" as "photoexe.jpg".
        {"photo\u202Egpj.exe", "photo_gpj.exe"},
        {"a\u202Ab\u202Dc\u2066d\u2069e\u200Ef\u200Fg\u061Ch\u0085i.png", "a_b_c_d_e_f_g_h_i.png"},
        {"caf\u00E9 \u2026 \u2070.png", "caf\u00E9 \u2026 \u2070.png"},
        {"  ...  ", "download"},
        {"", "download"},
        {"/", "download"},
        {"name with spaces .pdf ", "name with spaces .pdf"},
        {longStem + ".tar.gz", std::string(kMaxSavedNameBytes - 7, 'a') + ".tar.gz"},
        // Cut before the extension, never inside a character.
        {longUtf8, std::string(195, 'b') + ".png"},
        // Bytes that are no UTF-8 are characters of their own, which a cut keeps.
        {std::string(200, '\x80') + ".png", std::string(196, '_') + ".png"},
        {std::string(200, '\x80'), std::string(200, '_')},
        {std::string(300, '\xBF') + ".html", std::string(195, '_') + ".html"},
        {"caf\xE9.png", "caf_.png"},
        {"\xC3", "_"},
        {"a\xF0\x9F\x98.png", "a___.png"},
        {std::string("a\0b.png", 7), "a_b.png"},
        // What is left after the leading dots and blanks is never hidden nor empty.
        {".png", "png"},
        {" . .hidden", "hidden"},
        {"." + std::string(300, 'x') + ".png", std::string(196, 'x') + ".png"},
        {std::string(250, '.') + "x.png", "x.png"},
        {std::string(300, '.'), "download"},
        {"\xE2\x80\xAE.png", "_.png"},
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

// The partial file of a name, written by this process.
fs::path Partial(const TempFolder& folder, const std::string& name) {
    return folder / PartialFile::PartialName(name);
}

TEST(PartialFile, NeverReplacesAFileAndLeavesNothingUnlessCommitted) {
    TempFolder folder;
    folder.Write("/archive.zip", "earlier");
    folder.Write("/" + PartialFile::PartialName("archive (1).zip"), "another download");
    {
        PartialFile file(folder.Path(), "archive.zip");
        EXPECT_EQ(file.Path(), Partial(folder, "archive (2).zip"));
        EXPECT_EQ(folder.Read("/" + PartialFile::PartialName("archive (2).zip")), "");
    }
    EXPECT_FALSE(fs::exists(Partial(folder, "archive (2).zip")));

    PartialFile file(folder.Path(), "archive.zip");
    std::ofstream(file.Path()) << "new bytes";
    // A file of the chosen name appeared while the bytes arrived.
    folder.Write("/archive (2).zip", "appeared meanwhile");
    EXPECT_EQ(file.Commit(), folder / "archive (3).zip");
    EXPECT_EQ(folder.Read("/archive (3).zip"), "new bytes");
    EXPECT_EQ(folder.Read("/archive (2).zip"), "appeared meanwhile");
    EXPECT_EQ(folder.Read("/archive.zip"), "earlier");
    EXPECT_FALSE(fs::exists(Partial(folder, "archive (2).zip")));

    PartialFile inNewFolder(folder / "made" / "here", "x.png");
    EXPECT_EQ(inNewFolder.Path(), folder / "made" / "here" / PartialFile::PartialName("x.png"));
    EXPECT_TRUE(fs::exists(inNewFolder.Path()));
    EXPECT_THROW(PartialFile(folder / "archive.zip" / "below a file", "x.png"), std::system_error);
}

// A file made piece by piece gets its name only once the last piece is in; a piece that
// fails midway leaves neither the file nor its partial file.
TEST(SaveWholeFileInPieces, NamesTheFileOnlyWhenEveryPieceIsIn) {
    TempFolder folder;
    folder.Write("/list.har", "earlier");
    const fs::path saved =
        SaveWholeFileInPieces(folder.Path(), "list.har", [&](const BytePieceWriter& write) {
            write("{\"log\":");
            EXPECT_FALSE(fs::exists(folder / "list (1).har"));
            EXPECT_EQ(folder.Read("/" + PartialFile::PartialName("list (1).har")), "{\"log\":");
            write("");
            write("{}}");
        });
    EXPECT_EQ(saved, folder / "list (1).har");
    EXPECT_EQ(folder.Read("/list (1).har"), "{\"log\":{}}");
    EXPECT_EQ(folder.Read("/list.har"), "earlier");

    EXPECT_THROW(SaveWholeFileInPieces(folder.Path(), "broken.har",
                                       [](const BytePieceWriter& write) {
                                           write("half");
                                           throw std::system_error(ENOSPC, std::generic_category());
                                       }),
                 std::system_error);
    EXPECT_FALSE(fs::exists(folder / "broken.har"));
    EXPECT_FALSE(fs::exists(Partial(folder, "broken.har")));
}

TEST(PartialFile, ItsNameSaysWhoWritesIt) {
    const std::string own = std::to_string(::getpid());
    EXPECT_EQ(PartialFile::PartialName("a.png"), "a.png.quorvane-" + own + ".part");
    const struct {
        std::string name;
        pid_t writer;
    } rows[] = {
        {"a.png.quorvane-123.part", 123},
        {"a.png.quorvane-123.part.wkdownload", 123},
        {"a b (1).tar.gz.quorvane-7.part", 7},
        {PartialFile::PartialName("x"), ::getpid()},
        // The user's own partial files, and names that only look alike.
        {"a.png.part", 0},
        {"a.png.part.wkdownload", 0},
        {"notes.2024.part", 0},
        {"a.png.quorvane-.part", 0},
        {"a.png.quorvane-12x.part", 0},
        {"a.png.quorvane-123.part.txt", 0},
        {"a.png.quorvane-1234567890.part", 0},
        {".quorvane-123.part", 0},
        {"a.png.QUORVANE-123.part", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PartialFileWriter(row.name), row.writer) << row.name;
    }
}

// A process that has ended, as a killed run has.
pid_t GoneProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(PartialFile, OnlyThoseOfAKilledRunAreRemoved) {
    TempFolder folder;
    const std::string gone = std::to_string(GoneProcess());
    const std::vector<std::string> left = {"a.png.quorvane-" + gone + ".part",
                                           "a.png.quorvane-" + gone + ".part.wkdownload"};
    // This run's own, one of a running process (the first one always runs), the user's.
    const std::vector<std::string> kept = {PartialFile::PartialName("b.png"),
                                           "c.png.quorvane-1.part",
                                           "a.png.part",
                                           "a.png.part.wkdownload",
                                           "a.png.quorvane-" + gone + ".part.txt",
                                           "report.2024.part"};
    for (const auto& names : {left, kept}) {
        for (const std::string& name : names) {
            folder.Write("/" + name, "bytes");
        }
    }
    fs::create_directory(folder / ("folder.quorvane-" + gone + ".part"));
    RemoveLeftPartialFiles(folder.Path());
    for (const std::string& name : left) {
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    }
    for (const std::string& name : kept) {
        EXPECT_EQ(folder.Read("/" + name), "bytes") << name;
    }
    EXPECT_TRUE(fs::is_directory(folder / ("folder.quorvane-" + gone + ".part")));
    RemoveLeftPartialFiles(folder / "no such folder");
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
        {"data:image/jpeg;base64,/9j/", "image-4.jpg"},
        {"data:application/x-thing,abc", "image-5"},
        {"file:///home/me/../x/.hidden.png", "hidden.png"},
    };
    const std::vector<ImageToSave> images = ImagesToSave(links);
    ASSERT_EQ(images.size(), expected.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].address, expected[i].first);
        EXPECT_EQ(images[i].fileName, expected[i].second);
    }
}

// The Image List's save: each address once, the best of a srcset unless all are asked
// for, names that stay in the folder, data: pictures named by their type.
TEST(ChooseImagesToSave, KeepsTheBestCandidateAndSafeNames) {
    const ImageCandidate small{"http://h/s.png", 100, 50, "1x", {"set1"}};
    const ImageCandidate large{"http://h/l.png", 400, 200, "2x", {"set1"}};
    const ImageCandidate unknownSizes1{"http://h/u1.png", 0, 0, "320w", {"set2"}};
    const ImageCandidate unknownSizes2{"http://h/u2.png", 0, 0, "1280w", {"set2"}};
    const ImageCandidate inTwoSets{"http://h/s.png", 100, 50, "1x", {"set1", "set3"}};
    const ImageCandidate alone{"http://h/dir/a.png"};
    const ImageCandidate sameName{"http://h/other/a.png"};
    const ImageCandidate unsafe{"http://h/..%2F..%2F.bashrc"};
    const ImageCandidate control{"http://h/x%0A%E2%80%AEgpj.exe"};
    const ImageCandidate svg{"data:image/svg+xml,%3Csvg%2F%3E"};
    const ImageCandidate cut{"data:image/png;base64,iVBOR", 0, 0, "", {}, true};
    const struct {
        std::vector<ImageCandidate> candidates;
        bool keepAll;
        std::vector<std::string> saved;  // "address name"
    } rows[] = {
        {{small, large}, false, {"http://h/l.png l.png"}},
        {{small, large}, true, {"http://h/s.png s.png", "http://h/l.png l.png"}},
        {{unknownSizes2, unknownSizes1}, false, {"http://h/u2.png u2.png"}},
        // Best in one of its srcsets is enough.
        {{inTwoSets, large}, false, {"http://h/s.png s.png", "http://h/l.png l.png"}},
        {{alone, alone, sameName},
         false,
         {"http://h/dir/a.png a.png", "http://h/other/a.png a.png"}},
        {{unsafe, control},
         false,
         {"http://h/..%2F..%2F.bashrc bashrc", "http://h/x%0A%E2%80%AEgpj.exe x__gpj.exe"}},
        {{alone, svg},
         false,
         {"http://h/dir/a.png a.png", "data:image/svg+xml,%3Csvg%2F%3E image-2.svg"}},
        {{cut}, false, {"data:image/png;base64,iVBOR image-1.png cut"}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> saved;
        for (const ImageToSave& image : ChooseImagesToSave(row.candidates, row.keepAll)) {
            saved.push_back(image.address + " " + image.fileName + (image.cut ? " cut" : ""));
        }
        EXPECT_EQ(saved, row.saved) << row.saved.front();
    }
}

TEST(SniffedImageType, ReadsTheTypeFromTheBytes) {
    using namespace std::string_literals;
    const struct {
        std::string head;
        const char* type;
    } rows[] = {
        {"\x89PNG\r\n\x1A\n...", "image/png"},
        {"\xFF\xD8\xFF\xE0", "image/jpeg"},
        {"GIF89a", "image/gif"},
        {"RIFF\x10\0\0\0WEBPVP8 "s, "image/webp"},
        {"\0\0\0\x1C"
         "ftypavifX"s,
         "image/avif"},
        {"BM\x36\0", "image/bmp"},
        {"\0\0\1\0\1\0"s, "image/x-icon"},
        {"<?xml version=\"1.0\"?>\n<!-- drawn -->\n<svg xmlns=...>", "image/svg+xml"},
        {"<!DOCTYPE html><html>", ""},
        // The whole signature counts: WEBP at byte 8 of a file that is no RIFF is no WebP.
        {"XXXX\x10\0\0\0WEBPVP8 "s, ""},
        // SVG only when svg is the document element, after a prolog of any parts.
        {"\xEF\xBB\xBF<svg width=\"1\">", "image/svg+xml"},
        {"<svg>", "image/svg+xml"},
        {"<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" [<!ENTITY a \"<x>\">]>\n<svg\n>",
         "image/svg+xml"},
        {"<?xml version=\"1.0\"?><?xml-stylesheet href=\"a.css\"?><!--<svg>--><svg/>",
         "image/svg+xml"},
        {"<!DOCTYPE html><html><body><svg width=\"10\"></svg>", ""},
        {"<html><svg>", ""},
        {"<svgfoo>", ""},
        {"<!-- an open comment <svg>", ""},
        {"\x89PN", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SniffedImageType(row.head), row.type) << row.head;
    }
}

TEST(TransferMessages, SayWhatWasSavedWhere) {
    const fs::path home = "/home/me";
    EXPECT_EQ(SavedFileMessage("/home/me/Downloads/archive.zip", home),
              "Saved archive.zip to ~/Downloads");
    EXPECT_EQ(SavedFileMessage("/home/me/archive.zip", home), "Saved archive.zip to ~");
    EXPECT_EQ(SavedFileMessage("/home/meg/a.zip", home), "Saved a.zip to /home/meg");
    EXPECT_EQ(SavedFileMessage("/srv/a.zip", home), "Saved a.zip to /srv");
    EXPECT_EQ(DownloadProgressMessage("archive.zip", 3'100'000, 8'000'000),
              "Downloading archive.zip: 3.1 of 8.0 MB");
    EXPECT_EQ(DownloadProgressMessage("a.zip", 12'340, 200'000),
              "Downloading a.zip: 12.3 of 200.0 kB");
    EXPECT_EQ(DownloadProgressMessage("a.zip", 999'999, 1'000'000),
              "Downloading a.zip: 1.0 of 1.0 MB");
    EXPECT_EQ(DownloadProgressMessage("a.zip", 2'500'000, 0), "Downloading a.zip: 2.5 MB");
    const fs::path folder = "/home/me/Downloads/page";
    const struct {
        ImageSavingTally tally;
        const char* message;
    } rows[] = {
        {{38, 37, 1, false}, "Saved 37 of 38 images to ~/Downloads/page; 1 failed"},
        {{1, 1, 0, false}, "Saved 1 of 1 image to ~/Downloads/page"},
        {{38, 10, 2, true}, "Stopped: saved 10 of 38 images to ~/Downloads/page; 2 failed"},
        {{40, 37, 1, false, 2},
         "Saved 37 of 40 images to ~/Downloads/page; 2 duplicates skipped; 1 failed"},
        {{2, 1, 0, false, 1}, "Saved 1 of 2 images to ~/Downloads/page; 1 duplicate skipped"},
        {{100, 2, 98, false, 0, {{"No space left on device", 98}}},
         "Saved 2 of 100 images to ~/Downloads/page; 98 failed: No space left on device"},
        {{5, 1, 4, true, 0, {{"b", 1}, {"Not Found", 2}, {"a", 1}}},
         "Stopped: saved 1 of 5 images to ~/Downloads/page; 4 failed: Not Found (2), a (1), b (1)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SavedImagesMessage(row.tally, folder, home), row.message);
    }
    ImageSavingTally tally{3};
    tally.Failed("File too large");
    tally.Failed("Not Found");
    tally.Failed("File too large");
    EXPECT_EQ(
        SavedImagesMessage(tally, folder, home),
        "Saved 0 of 3 images to ~/Downloads/page; 3 failed: File too large (2), Not Found (1)");
}

}  // namespace
}  // namespace quorvane
