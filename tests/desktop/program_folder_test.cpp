#include "desktop/program_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "desktop/user_folders.h"
#include "desktop/work_folder.h"
#include "tests/support/temp_folder.h"

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

// Within one process as between two: each run holds its own lock on the folder.
TEST_F(WorkFolderTest, ASecondRunWorksInAFolderOfItsOwnUntilItEnds) {
    const std::string program = (root_ / "program").string();
    const fs::path copies = root_ / "copies";
    // What a copy that did not end properly left behind: its process is gone.
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    fs::create_directories(copies / std::to_string(ended));
    fs::create_directories(copies / "notes");
    {
        const WorkFolder first = WorkFolder::ForRun(program, copies);
        EXPECT_EQ(first.Path(), program);
        {
            const WorkFolder second = WorkFolder::ForRun(program, copies);
            EXPECT_EQ(second.Path(), (copies / std::to_string(::getpid())).string());
            EXPECT_TRUE(fs::is_directory(second.Path()));
            EXPECT_FALSE(fs::exists(copies / std::to_string(ended)));
            EXPECT_TRUE(fs::exists(copies / "notes"));
            std::ofstream(second.Path() + "/source.htm") << "second";
        }
        EXPECT_FALSE(fs::exists(copies / std::to_string(::getpid())));
        EXPECT_TRUE(fs::exists(program));
    }
    EXPECT_EQ(WorkFolder::ForRun(program, copies).Path(), program);
}

TEST(PrivateWorkFolders, LieInTheRuntimeFolderOrElseTheDataFolder) {
    ::setenv("XDG_DATA_HOME", "/data", 1);
    ::setenv("XDG_RUNTIME_DIR", fs::temp_directory_path().c_str(), 1);
    EXPECT_EQ(PrivateWorkFolders("Quorvane"), fs::temp_directory_path() / "Quorvane");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(PrivateWorkFolders("Quorvane"), fs::path("/data/Quorvane/copies"));
    ::unsetenv("XDG_DATA_HOME");
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

// GLib reads user-dirs.dirs once per process: each test of it runs in a process of its own.
TEST(UserFolders, DownloadFolderIsTheVariableThenUserDirs) {
    TempFolder root;
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", root.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::unsetenv("XDG_DOWNLOAD_DIR");
    fs::create_directories(root / "config");
    root.Write("/config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Incoming\"\n");
    EXPECT_EQ(UserDownloadFolder(), root / "Incoming");
    ::setenv("XDG_DOWNLOAD_DIR", "/srv/chosen", 1);
    EXPECT_EQ(UserDownloadFolder(), fs::path("/srv/chosen"));
    ::unsetenv("XDG_DOWNLOAD_DIR");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST(UserFolders, DownloadFolderIsDownloadsWhenUserDirsNamesNone) {
    TempFolder root;
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", root.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::unsetenv("XDG_DOWNLOAD_DIR");
    EXPECT_EQ(UserDownloadFolder(), root / "Downloads");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace quorvane
