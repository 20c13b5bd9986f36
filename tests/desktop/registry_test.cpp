#include "desktop/registry.h"

#include <gtest/gtest.h>

#include <fstream>

#include "desktop/registry_file.h"
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
}

TEST(RegistryFile, DamagedLinesAreSkippedAndTheRestIsKept) {
    const RegistryKeys keys = ParseRegistryText(
        "\"orphan\"=\"before any key\"\n"
        "[Good]\r\n"
        "\"A\"=\"1\"\n"
        "\"unclosed=\"2\"\n"
        "garbage\n"
        "\"B\"=\"2\" trailing\n"
        "@=\"default\"\n");
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
