#include "analysis/work_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "analysis/text_file.h"
#include "analysis/work_file_writer.h"
#include "base/line_breaks.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

const char* const kAllFiles[] = {"/browser.txt",     "/source.htm",           "/images.htm",
                                 "/checkImages.txt", "/checkImagesClean.txt", "/imagepage.html"};

TEST(WorkFiles, EnsureCreatesMissingFilesHoldingCrLfAndLeavesExistingOnes) {
    TempFolder folder;
    folder.Write("/source.htm", "earlier view\n\x01");
    folder.Write("/images.htm", "");
    EnsureWorkFiles(folder.Path());
    for (const char* name : kAllFiles) {
        const std::string expected = std::string(name) == "/source.htm"   ? "earlier view\n\x01"
                                     : std::string(name) == "/images.htm" ? ""
                                                                          : "\r\n";
        EXPECT_EQ(folder.Read(name), expected) << name;
    }
}

// What a run killed in the middle of a write left goes; the new files of running
// processes and every other file stay.
TEST(WorkFiles, EnsureRemovesTheNewFilesOfKilledRuns) {
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string gone = std::to_string(ended);
    const std::string running = std::to_string(::getppid());
    const struct {
        std::string name;
        bool kept;
    } rows[] = {
        {"/.source.htm." + gone + "-0.new", false},
        {"/.checkImagesClean.txt." + gone + "-12.new", false},
        {"/.source.htm." + running + "-0.new", true},
        {"/.source.htm." + gone + "-x.new", true},
        {"/.source.htm." + gone + ".new", true},
        {"/source.htm." + gone + "-0.new", true},
        {"/.notes.new", true},
    };
    TempFolder folder;
    for (const auto& row : rows) {
        folder.Write(row.name, "half");
    }
    EnsureWorkFiles(folder.Path());
    for (const auto& row : rows) {
        EXPECT_EQ(std::filesystem::exists(folder.File(row.name)), row.kept) << row.name;
    }
}

TEST(WorkFiles, EnsureFailsNamingTheFileWhenTheFolderIsMissing) {
    TempFolder folder;
    try {
        EnsureWorkFiles(folder.Path() + "/missing");
        FAIL() << "no error";
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find("/missing/browser.txt"), std::string::npos);
    }
}

TEST(WorkFiles, EnsureOnAFullDiskLeavesNoEmptyFileBehind) {
    TempFolder folder;
    EXPECT_EQ(RunWithFileSizeLimit(0,
                                   [&] {
                                       try {
                                           EnsureWorkFiles(folder.Path());
                                       } catch (const std::system_error&) {
                                           return 1;
                                       }
                                       return 0;
                                   }),
              1);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(WorkFiles, ResetEmptiesTheFourScratchFilesOnly) {
    TempFolder folder;
    for (const char* name : kAllFiles) {
        folder.Write(name, "old");
    }
    WorkFileWriter files(folder.Path());
    ResetWorkFiles(files);
    for (const char* name : kAllFiles) {
        const bool kept =
            std::string(name) == "/source.htm" || std::string(name) == "/imagepage.html";
        EXPECT_EQ(folder.Read(name), kept ? "old" : "\r\n") << name;
    }
}

TEST(WorkFiles, ResetStopsAtTheFirstFileThatCannotBeWritten) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("/checkImagesClean.txt"));
    folder.Write("/browser.txt", "old");
    WorkFileWriter files(folder.Path());
    EXPECT_THROW(ResetWorkFiles(files), std::system_error);
    EXPECT_EQ(folder.Read("/checkImages.txt"), "\r\n");
    EXPECT_EQ(folder.Read("/browser.txt"), "old");
}

TEST(TextFile, WritesReplaceTheWholeFileWithOneLine) {
    TempFolder folder;
    WriteTextFile(folder.File("/f"), "first");
    EXPECT_EQ(folder.Read("/f"), "first\r\n");
    WriteTextFile(folder.File("/f"), "\xc3\xa9t\xc3\xa9");
    EXPECT_EQ(folder.Read("/f"), "\xc3\xa9t\xc3\xa9\r\n");
}

TEST(TextFile, LinesEndAtCrLfOrLoneCrButNotAtLoneLf) {
    struct Row {
        std::string text;
        std::vector<std::string> lines;
    } rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\n", {"a\nb"}},
        {"\r\n", {""}},
        {"\r", {""}},
        {"\n", {"\n"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SplitLines(row.text), row.lines) << row.text;
    }
}

TEST(LineBreaks, EveryBreakBecomesCrLf) {
    const std::pair<const char*, const char*> rows[] = {
        {"a\nb", "a\r\nb"},   {"a\rb", "a\r\nb"},     {"a\r\nb", "a\r\nb"},
        {"\n\r", "\r\n\r\n"}, {"\r\r\n", "\r\n\r\n"}, {"", ""},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(WithCrLfLineBreaks(text), expected);
    }
}

}  // namespace
}  // namespace quorvane
