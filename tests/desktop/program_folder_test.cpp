#include "desktop/program_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "desktop/user_folders.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
    const std::string folder = ProgramFolder();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(ProgramPath(), folder + "/desktop_tests");
}

class WorkFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("quorvane-work-folder-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "program");
        const char* old = std::getenv("XDG_DATA_HOME");
        oldDataHome_ = old ? old : "";
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    }
    void TearDown() override {
        fs::permissions(root_ / "program", fs::perms::owner_all);
        fs::remove_all(root_);
        if (oldDataHome_.empty()) {
            ::unsetenv("XDG_DATA_HOME");
        } else {
            ::setenv("XDG_DATA_HOME", oldDataHome_.c_str(), 1);
        }
    }
    fs::path root_;
    std::string oldDataHome_;
};

TEST_F(WorkFolderTest, UsesTheProgramFolderWhenWritable) {
    EXPECT_EQ(ChooseWorkFolder((root_ / "program").string(), "Quorvane"),
              (root_ / "program").string());
    EXPECT_FALSE(fs::exists(root_ / "data"));
}

TEST_F(WorkFolderTest, FallsBackToTheUserDataFolder) {
    // The program folder is a folder that does not exist: it can't be written.
    EXPECT_EQ(ChooseWorkFolder((root_ / "missing").string(), "Quorvane"),
              (root_ / "data" / "Quorvane").string());
    EXPECT_TRUE(fs::is_directory(root_ / "data" / "Quorvane"));
}

TEST_F(WorkFolderTest, FailsWithAMessageWhenNothingCanBeWritten) {
    std::ofstream(root_ / "data") << "a file where the data folder should be";
    try {
        ChooseWorkFolder((root_ / "missing").string(), "Quorvane");
        FAIL() << "expected an error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot write the work files"), std::string::npos);
    }
}

TEST(UserDataFolder, FollowsXdgRules) {
    ::setenv("HOME", "/home/someone", 1);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserDataFolder("Quorvane"), fs::path("/home/someone/.local/share/Quorvane"));
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(UserDataFolder("Quorvane"), fs::path("/home/someone/.local/share/Quorvane"));
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(UserDataFolder("Quorvane"), fs::path("/data/Quorvane"));
    ::unsetenv("XDG_DATA_HOME");
}

TEST(UserFolders, WithoutHomeTheUserDatabaseNamesTheHomeFolder) {
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    const fs::path databaseHome = ::getpwuid(::getuid())->pw_dir;
    EXPECT_EQ(UserHomeFolder(), databaseHome);
    EXPECT_EQ(UserConfigHome(), databaseHome / ".config");
    ::setenv("HOME", "relative", 1);
    EXPECT_EQ(UserHomeFolder(), databaseHome);
    ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace quorvane
