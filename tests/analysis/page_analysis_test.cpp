#include "analysis/page_analysis.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "analysis/tag_line_scanner.h"
#include "analysis/work_files.h"
#include "tests/support/child_process.h"
#include "tests/support/memory_work_files.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

constexpr char kPage[] = "http://host/dir/page.html";

TEST(PageAnalysis, WritesBothViewsAndResetsTheScratchFiles) {
    TempFolder folder;
    EnsureWorkFiles(folder.Path());
    AnalysisLists lists;
    const std::string body = "<body><img src='a.gif'>\r\n<a href='big.jpg'>see a.gif</a></body>";
    const AnalysedPage page = AnalysePageText(folder.Path(), body, kPage, lists);

    EXPECT_EQ(page.sourcePagePath, folder.Path() + "/source.htm");
    EXPECT_EQ(page.imagePagePath, folder.Path() + "/imagepage.html");
    EXPECT_EQ(lists.imageTags.addresses, std::vector<std::string>{"http://host/dir/a.gif"});
    EXPECT_EQ(lists.imageLinks.addresses, std::vector<std::string>{"http://host/dir/big.jpg"});
    const std::string a = "<a href='http://host/dir/a.gif'>a.gif</a>";
    const std::string big = "<a href='http://host/dir/big.jpg'>big.jpg</a>";
    EXPECT_EQ(folder.Read("/source.htm"), "&lt;body>&lt;img src='" + a + "'><BR><BR>&lt;a href='" +
                                              big + "'>see " + a + "&lt;/a>&lt;/body>\r\n");
    EXPECT_EQ(folder.Read("/imagepage.html"),
              "<a href='http://host/dir/a.gif'><img src='http://host/dir/a.gif'></a><BR>"
              "http://host/dir/a.gif<BR><BR><BR>\r\n");
    for (const char* name :
         {"/checkImages.txt", "/checkImagesClean.txt", "/browser.txt", "/images.htm"}) {
        EXPECT_EQ(folder.Read(name), "\r\n") << name;
    }
}

TEST(PageAnalysis, EachPairHasItsOwnDuplicateTest) {
    TempFolder folder;
    AnalysisLists lists;
    AnalysePageText(folder.Path(), "<img src='a.gif'><a href='x/a.gif'>a</a><a href='y/a.gif'>",
                    kPage, lists);
    EXPECT_EQ(lists.imageTags.addresses, std::vector<std::string>{"http://host/dir/a.gif"});
    EXPECT_EQ(lists.imageLinks.addresses, std::vector<std::string>{"http://host/dir/x/a.gif"});
    EXPECT_EQ(lists.imageLinks.fileNames, std::vector<std::string>{"a.gif"});
}

TEST(PageAnalysis, NoDocumentGivesEmptyViewsAndClearsEarlierLists) {
    TempFolder folder;
    AnalysisLists lists;
    AnalysePageText(folder.Path(), "<img src='a.gif'><a href='b.gif'>", kPage, lists);
    AnalysePageText(folder.Path(), std::nullopt, kPage, lists);
    for (const FoundImages* found : {&lists.imageLinks, &lists.imageTags}) {
        EXPECT_TRUE(found->addresses.empty() && found->fileNames.empty());
    }
    EXPECT_EQ(folder.Read("/source.htm"), "\r\n");
    EXPECT_EQ(folder.Read("/imagepage.html"), "\r\n");
}

TEST(PageAnalysis, AbsorbsAFailingStepAndGoesOn) {
    TempFolder folder;
    // The scanners cannot write their intermediate file and the reset stops there; the
    // other steps still run.
    std::filesystem::create_directory(folder.File("/checkImagesClean.txt"));
    folder.Write("/browser.txt", "old");
    AnalysisLists lists;
    const AnalysedPage page = AnalysePageText(folder.Path(), "<img src='a.gif'>", kPage, lists);
    EXPECT_TRUE(lists.imageTags.fileNames.empty());
    // The images the scan lost are no page without images: the user is told.
    EXPECT_TRUE(page.scanFileNotWritten);
    EXPECT_EQ(StatusLine(page),
              "Cannot write " + folder.Path() + "/checkImagesClean.txt: Is a directory");
    EXPECT_EQ(folder.Read("/source.htm"), "&lt;img src='a.gif'>\r\n");
    EXPECT_EQ(folder.Read("/imagepage.html"), "\r\n");
    EXPECT_EQ(folder.Read("/checkImages.txt"), "\r\n");
    EXPECT_EQ(folder.Read("/browser.txt"), "old");
}

// Whichever write the full disk stops, every work file holds either what it held
// before or all of what it gets now, and a view file that keeps its earlier page is
// reported naming the file and the error. (The limits let the page's own text be
// written, so that every write that succeeds writes what the reference run wrote.)
TEST(PageAnalysis, AFullDiskLeavesEveryWorkFileWholeOldOrNew) {
    std::string body = "<body><a href='b.jpg'>b</a>\r\n";
    for (int i = 0; i < 40; ++i) {
        body += "<img src='pics/image" + std::to_string(i) + ".gif'>\r\n";
    }
    const char* const names[] = {"/browser.txt",     "/source.htm",           "/images.htm",
                                 "/checkImages.txt", "/checkImagesClean.txt", "/imagepage.html"};
    TempFolder reference;
    AnalysisLists lists;
    AnalysePageText(reference.Path(), body, kPage, lists);
    const rlim_t source = reference.Read("/source.htm").size();
    const rlim_t images = reference.Read("/imagepage.html").size();
    ASSERT_LT(body.size() + 2, source);
    ASSERT_LT(source, images);
    for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, body.size() + 2, source, images}) {
        SCOPED_TRACE("files of at most " + std::to_string(limit) + " bytes");
        TempFolder folder;
        for (const char* name : names) {
            folder.Write(name, std::string("earlier ") + name);
        }
        const int status = RunWithFileSizeLimit(limit, [&] {
            const AnalysedPage page = AnalysePageText(folder.Path(), body, kPage, lists);
            const bool named =
                StatusLine(page).find("Cannot write " + folder.Path() +
                                      "/imagepage.html: File too large") != std::string::npos;
            // No scan loses its images, or scans an earlier page, without a word.
            if (lists.imageTags.addresses.size() != 40 && !page.scanFileNotWritten) {
                return 3;
            }
            return page.viewFileNotWritten ? (named ? 1 : 2) : 0;
        });
        for (const char* name : names) {
            const std::string now = folder.Read(name);
            EXPECT_TRUE(now == "earlier " + std::string(name) || now == reference.Read(name))
                << name << " holds " << now.size() << " bytes: " << now.substr(0, 40);
        }
        EXPECT_EQ(status, limit < images ? 1 : 0);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                std::filesystem::directory_iterator()),
                  6);
    }
}

// The names of the writes made, in order, from groups of them.
std::vector<std::string> Writes(std::initializer_list<std::vector<std::string>> groups) {
    std::vector<std::string> all;
    for (const auto& group : groups) {
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}

// The work files are written in the order of the rules, each once; only a write that
// fails makes the analysis read a file: the scanners then read checkImages.txt as it was,
// once for both, and a scanner whose own file fails records nothing. (A reset that
// fails ends the resets.)
TEST(PageAnalysis, AFileThatCannotBeWrittenIsReadAsItWasByTheStepsAfter) {
    const std::string clean = "/checkImagesClean.txt";
    const std::vector<std::string> scans = {clean, clean, clean, clean};
    const std::vector<std::string> views = {"/imagepage.html", "/source.htm"};
    const std::vector<std::string> resets = {"/checkImages.txt", clean, "/browser.txt",
                                             "/images.htm"};
    const struct {
        std::string failing;
        bool earlierPage;
        std::string found;  // whose image and image link the lists hold: "new", "old", none
        std::vector<std::string> read;
        std::vector<std::string> written;
    } rows[] = {
        {"", true, "new", {}, Writes({{"/checkImages.txt"}, scans, views, resets})},
        {"/checkImages.txt", true, "old", {"/checkImages.txt"}, Writes({scans, views})},
        {"/checkImages.txt", false, "", {"/checkImages.txt"}, views},
        {clean, true, "", {}, Writes({{"/checkImages.txt"}, views, {"/checkImages.txt"}})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.failing + (row.earlierPage ? " with an earlier page" : ""));
        MemoryWorkFiles files;
        if (row.earlierPage) {
            files.files["/checkImages.txt"] = "<img src='old.gif'><a href='old.jpg'>\r\n";
        }
        files.failingWrites = {row.failing};
        AnalysisLists lists;
        AnalysePageText(files, "<img src='new.gif'><a href='new.jpg'>", kPage, lists);
        const auto found = [&](const char* extension) {
            return row.found.empty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{row.found + extension};
        };
        EXPECT_EQ(lists.imageTags.fileNames, found(".gif"));
        EXPECT_EQ(lists.imageLinks.fileNames, found(".jpg"));
        EXPECT_EQ(files.read, row.read);
        EXPECT_EQ(files.written, row.written);
    }
}

// Only the failures of work files are part of an analysis; anything else is a fault
// and reaches the caller.
TEST(PageAnalysis, AFaultIsNotAbsorbed) {
    struct FaultyFiles : MemoryWorkFiles {
        void WriteFile(const std::string& path, const TextProducer& produce) override {
            if (path.ends_with("/imagepage.html")) {
                throw std::out_of_range("fault");
            }
            MemoryWorkFiles::WriteFile(path, produce);
        }
    } files;
    AnalysisLists lists;
    EXPECT_THROW(AnalysePageText(files, "<img src='a.gif'>", kPage, lists), std::out_of_range);
}

// A huge page address times many relative images would fill the lists with gigabytes:
// they stop at their largest size, the image tags taking their share first.
TEST(PageAnalysis, TheListsStopAtTheirLargestSize) {
    const std::string pageAddress = "http://h/" + std::string(100000, 'd') + "/p.html";
    std::string body;
    for (int i = 10000; i < 11400; ++i) {
        const std::string n = std::to_string(i);
        body += "<img src='" + n + ".gif'><a href='" + n + ".jpg'>\r\n";
    }
    MemoryWorkFiles files;
    AnalysisLists lists;
    AnalysePageText(files, body, pageAddress, lists);
    ASSERT_FALSE(lists.imageTags.addresses.empty());
    const std::size_t entry =
        lists.imageTags.addresses[0].size() + lists.imageTags.fileNames[0].size();
    EXPECT_EQ(lists.imageTags.addresses.size(), kMaxListBytes / entry);
    EXPECT_EQ(lists.imageTags.fileNames.back(),
              std::to_string(10000 + kMaxListBytes / entry - 1) + ".gif");
    EXPECT_TRUE(lists.imageLinks.addresses.empty());
}

TEST(PageAnalysis, ReturnsThePathsEvenWhenNothingCanBeWritten) {
    AnalysisLists lists;
    lists.imageLinks.fileNames = {"stale"};
    const AnalysedPage page =
        AnalysePageText("/nonexistent/folder", "<img src='a.gif'>", kPage, lists);
    EXPECT_EQ(page.sourcePagePath, "/nonexistent/folder/source.htm");
    EXPECT_TRUE(lists.imageLinks.fileNames.empty());
}

}  // namespace
}  // namespace quorvane
