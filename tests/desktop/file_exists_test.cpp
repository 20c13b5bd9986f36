#include "desktop/file_exists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

TEST(ExtractFileName, TakesTheTextAfterTheLastSeparator) {
    struct Row {
        const char* path;
        const char* name;
    } rows[] = {
        {"", ""},
        {"/usr/lib/quorvane/source.htm", "source.htm"},
        {"source.htm", "source.htm"},
        {"/usr/lib/", ""},
        {"C:\\dir\\file.txt", "C:\\dir\\file.txt"},
        {"//double//slash", "slash"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExtractFileName(row.path), row.name) << row.path;
    }
}

class FileExistsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder_ / "sub");
        fs::create_directories(folder_ / "Apps [old]");
        std::ofstream(folder_ / "Apps [old]" / "source.htm") << "x";
        std::ofstream(folder_ / "plain.txt") << "x";
        std::ofstream(folder_ / ".hidden") << "x";
    }
    std::string Path(const char* name) const { return (folder_ / name).string(); }
    TempFolder folder_;
};

TEST_F(FileExistsTest, TrueOnlyForAnOrdinaryVisibleFile) {
    EXPECT_TRUE(FileExists(Path("plain.txt")));
    EXPECT_FALSE(FileExists(Path("PLAIN.TXT")));  // names are case-sensitive here
    EXPECT_FALSE(FileExists(Path(".hidden")));
    EXPECT_FALSE(FileExists(Path("sub")));
    EXPECT_FALSE(FileExists(Path("missing.txt")));
    EXPECT_FALSE(FileExists(Path("*.txt")));
    EXPECT_FALSE(FileExists(Path("plain.tx?")));
    EXPECT_FALSE(FileExists(Path("sub/")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("/no/such/drive/file.txt"));
    EXPECT_FALSE(FileExists(Path("plain.txt/inside")));
}

TEST_F(FileExistsTest, WildcardCharactersInAFolderNameAreOnlyCharacters) {
    EXPECT_TRUE(FileExists(Path("Apps [old]/source.htm")));
    EXPECT_FALSE(FileExists(Path("Apps [old]/source.ht?")));
}

TEST_F(FileExistsTest, WorkFileNamesJoinWithoutAnExtraSeparator) {
    // A work file's name begins with the separator, so the join inserts nothing.
    EXPECT_TRUE(FileExists(folder_.Path() + "/plain.txt"));
}

}  // namespace
}  // namespace quorvane
