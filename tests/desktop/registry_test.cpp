#include "desktop/registry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "desktop/registry_file.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(TrimKeySlashes, DropsAtMostOneBackslashAtEachEnd) {
    struct Row {
        const char* path;
        const char* trimmed;
    } rows[] = {
        {"", ""},
        {"\\", ""},
        {"\\Software\\Key\\", "Software\\Key"},
        {"\\\\Software\\Key", "\\Software\\Key"},
        {"Software\\Key\\\\", "Software\\Key\\"},
        {"Software/Key/", "Software/Key/"},
        {"Key", "Key"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TrimKeySlashes(row.path), row.trimmed) << row.path;
    }
}

class RegistryTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    RegistryStore store_{folder_ / "store" / "HKEY_LOCAL_MACHINE.reg"};
};

TEST_F(RegistryTest, WritesCreateTheKeyAndEveryParent) {
    ASSERT_TRUE(SetRegistryString(store_, "\\Software\\Maker\\Tool\\", "Name", "Text"));
    EXPECT_TRUE(store_.KeyExists("Software"));
    EXPECT_TRUE(store_.KeyExists("Software\\Maker"));
    EXPECT_EQ(store_.Value("Software\\Maker\\Tool", "Name"), "Text");
    // Names compare without regard to letter case, as the registry's do.
    EXPECT_EQ(store_.Value("SOFTWARE\\maker\\TOOL", "NAME"), "Text");
}

TEST_F(RegistryTest, StarIsTheDefaultValueAndEmptyTextIsStillAValue) {
    ASSERT_TRUE(SetRegistryString(store_, "Key", "*", "default text"));
    ASSERT_TRUE(SetRegistryString(store_, "Key", "Empty", ""));
    EXPECT_EQ(store_.Value("Key", ""), "default text");
    EXPECT_EQ(store_.Value("Key", "*"), std::nullopt);
    EXPECT_EQ(store_.Value("Key", "Empty"), "");
}

TEST_F(RegistryTest, RewritingAValueKeepsItsPlace) {
    SetRegistryString(store_, "Key", "First", "1");
    SetRegistryString(store_, "Key", "Second", "2");
    SetRegistryString(store_, "Key", "first", "one");
    EXPECT_EQ(store_.ValueNames("Key"), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(store_.Value("Key", "First"), "one");
}

TEST_F(RegistryTest, DeletingWithStarRemovesOnlyTheDefaultValue) {
    SetRegistryString(store_, "Key", "*", "default");
    SetRegistryString(store_, "Key", "Named", "kept");
    EXPECT_TRUE(DeleteRegistryEntry(store_, "Key", "*"));
    EXPECT_EQ(store_.Value("Key", ""), std::nullopt);
    EXPECT_EQ(store_.Value("Key", "Named"), "kept");
    EXPECT_FALSE(DeleteRegistryEntry(store_, "Key", "*"));
    EXPECT_FALSE(DeleteRegistryEntry(store_, "Missing", "Named"));
}

TEST_F(RegistryTest, EmptyValueNameDeletesTheWholeKeyButNotItsParents) {
    SetRegistryString(store_, "Software\\Tool", "A", "1");
    SetRegistryString(store_, "Software\\Tool", "B", "2");
    EXPECT_TRUE(DeleteRegistryEntry(store_, "\\Software\\Tool\\", ""));
    EXPECT_FALSE(store_.KeyExists("Software\\Tool"));
    EXPECT_TRUE(store_.KeyExists("Software"));
    EXPECT_FALSE(DeleteRegistryEntry(store_, "Software\\Tool", ""));
}

TEST_F(RegistryTest, AKeyWithSubKeysIsNotDeleted) {
    SetRegistryString(store_, "Software\\Tool\\Child", "A", "1");
    EXPECT_FALSE(DeleteRegistryEntry(store_, "Software\\Tool", ""));
    EXPECT_TRUE(store_.KeyExists("Software\\Tool\\Child"));
    // A sibling whose name merely starts the same is not a sub-key.
    SetRegistryString(store_, "Software\\Toolbox", "A", "1");
    EXPECT_TRUE(DeleteRegistryEntry(store_, "Software\\Toolbox", ""));
}

TEST_F(RegistryTest, MalformedKeyPathsFail) {
    for (const char* path : {"\\\\Key", "A\\\\B", "Line\nBreak"}) {
        EXPECT_FALSE(SetRegistryString(store_, path, "Name", "Text")) << path;
    }
    EXPECT_FALSE(std::filesystem::exists(store_.File()));
}

TEST_F(RegistryTest, AStoreThatCantBeWrittenFailsQuietly) {
    // A regular file where the store's folder should be: nothing can be created.
    std::ofstream(folder_ / "blocked") << "x";
    RegistryStore blocked(folder_ / "blocked" / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_FALSE(SetRegistryString(blocked, "Key", "Name", "Text"));
    EXPECT_FALSE(DeleteRegistryEntry(blocked, "Key", ""));
    EXPECT_FALSE(blocked.KeyExists("Key"));
}

TEST_F(RegistryTest, TextsSurviveTheFileWhateverTheyHold) {
    const std::string awkward = "quote \" back\\slash\r\nnew line ] [x] @=\"y\"";
    ASSERT_TRUE(SetRegistryString(store_, "Key [1]", awkward, awkward));
    RegistryStore reopened(store_.File());
    EXPECT_EQ(reopened.Value("Key [1]", awkward), awkward);
    // A text that is not UTF-8 cannot be a value of the file.
    EXPECT_FALSE(SetRegistryString(store_, "Key [1]", "Latin-1", "caf\xe9"));
}

// A store file written before the store kept key files reads as it did, and the next
// change rewrites it as a key file that keeps everything it held.
TEST_F(RegistryTest, AFileOfTheEarlierFormStillReadsAndTheNextChangeConvertsIt) {
    std::filesystem::create_directories(store_.File().parent_path());
    std::ofstream(store_.File()) << "[Software]\n\n[Software\\Tool]\n"
                                    "\"Name\"=\"a \\\"b\\\" c\\\\d\\r\\ne\"\n@=\"default\"\n\n";
    const std::string text = "a \"b\" c\\d\r\ne";
    EXPECT_EQ(store_.Value("Software\\Tool", "Name"), text);
    ASSERT_TRUE(SetRegistryString(store_, "Software\\Tool", "Added", "x"));
    std::ifstream file(store_.File());
    std::string firstLine;
    std::getline(file, firstLine);
    EXPECT_EQ(firstLine, "[Quorvane registry]");
    EXPECT_EQ(store_.ValueNames("Software\\Tool"), (std::vector<std::string>{"Name", "", "Added"}));
    EXPECT_EQ(store_.Value("Software\\Tool", "Name"), text);
    EXPECT_EQ(store_.Value("Software\\Tool", ""), "default");
    EXPECT_TRUE(store_.KeyExists("Software"));
}

// Twenty programs writing their values at once: every one of them is kept.
TEST_F(RegistryTest, ValuesWrittenAtTheSameTimeAreAllKept) {
    ASSERT_TRUE(SetRegistryString(store_, "Software\\Tool", "first", "0"));
    std::vector<pid_t> writers;
    for (int i = 1; i <= 20; ++i) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            RegistryStore own(store_.File());
            const std::string n = std::to_string(i);
            ::_exit(SetRegistryString(own, "Software\\Tool", "value" + n, n) ? 0 : 1);
        }
        writers.push_back(writer);
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(store_.ValueNames("Software\\Tool").size(), 21u);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(store_.Value("Software\\Tool", "value" + std::to_string(i)), std::to_string(i));
    }
}

// Something other than a registry file in the store's place, or a file that does not
// parse, is read as damaged, without waiting on it or reading it without end, and no
// change is written over it: that would lose every key in it.
TEST_F(RegistryTest, AStoreThatDoesNotParseReadsAsDamagedAndIsNeverWrittenOver) {
    const auto writeFile = [](const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    };
    const struct {
        const char* what;
        std::function<void(const std::filesystem::path&)> make;
    } rows[] = {
        {"FIFO", [](const auto& path) { ::mkfifo(path.c_str(), 0600); }},
        {"device", [](const auto& path) { std::filesystem::create_symlink("/dev/zero", path); }},
        {"huge file",
         [](const auto& path) {
             std::ofstream file(path);
             file << "[Key]\n";
             for (std::size_t size = 0; size <= kMaxRegistryFileSize; size += 12) {
                 file << "\"Name\"=\"Text\"\n";
             }
         }},
        {"key file with a line it cannot read",
         [&](const auto& path) {
             writeFile(path, "[Quorvane registry]\nFormat=1\n\n[Other]\nKept=1\ngarbage\n");
         }},
        {"earlier form with a line it cannot read",
         [&](const auto& path) { writeFile(path, "[Other]\n\"Kept\"=\"1\"\ngarbage\n"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(store_.File());
        std::filesystem::create_directories(store_.File().parent_path());
        row.make(store_.File());
        const std::filesystem::file_status before = std::filesystem::symlink_status(store_.File());
        const std::uintmax_t sizeBefore = std::filesystem::is_regular_file(before)
                                              ? std::filesystem::file_size(store_.File())
                                              : 0;
        // A read that blocked or ran on would end the child by its alarm.
        EXPECT_EQ(RunInChild([&] {
                      ::alarm(10);
                      return store_.KeyExists("Key") ? 1 : 0;
                  }),
                  0);
        EXPECT_FALSE(SetRegistryString(store_, "Key", "Name", "Text"));
        EXPECT_FALSE(store_.KeyExists("Key"));
        EXPECT_EQ(std::filesystem::symlink_status(store_.File()).type(), before.type());
        if (std::filesystem::is_regular_file(before)) {
            EXPECT_EQ(std::filesystem::file_size(store_.File()), sizeBefore);
        }
    }
    std::filesystem::remove_all(store_.File());
}

TEST(RegistryFile, DamagedLinesAreSkippedAndTheRestIsKept) {
    const RegistryContents contents = ParseRegistryText(
        "\"orphan\"=\"before any key\"\n"
        "[Good]\r\n"
        "\"A\"=\"1\"\n"
        "\"unclosed=\"2\"\n"
        "garbage\n"
        "\"B\"=\"2\" trailing\n"
        "@=\"default\"\n");
    EXPECT_TRUE(contents.damaged);
    const RegistryKeys& keys = contents.keys;
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].path, "Good");
    using Values = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(keys[0].values, (Values{{"A", "1"}, {"", "default"}}));
}

TEST(RegistryStoreForRoot, LocalMachineIsMachineWideAndCurrentUserIsPerUser) {
    EXPECT_EQ(RegistryStore::ForRoot(RootKey::LocalMachine).File().string().rfind("/etc/", 0), 0u);
    ::setenv("XDG_CONFIG_HOME", "/tmp/config-home", 1);
    EXPECT_EQ(RegistryStore::ForRoot(RootKey::CurrentUser).File(),
              std::filesystem::path("/tmp/config-home/quorvane/registry/HKEY_CURRENT_USER.reg"));
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace quorvane
