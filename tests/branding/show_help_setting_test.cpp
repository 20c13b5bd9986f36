#include "branding/gui/show_help_setting.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(CheckStateFromSetting, ReadsTheThreeStatesAndRejectsTheRest) {
    struct Row {
        const char* text;
        std::optional<CheckState> state;
    } rows[] = {
        {"0", kUnchecked},
        {"1", kChecked},
        {"2", kGrayed},
        {" 1 ", kChecked},
        {"3", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"yes", std::nullopt},
        {"1x", std::nullopt},
        {"99999999999", std::nullopt},
        // A number with a fraction is still a number: it rounds to the nearest whole
        // one, halves to the even neighbour.
        {"1.0", kChecked},
        {"+1", kChecked},
        {"0.4", kUnchecked},
        {"1.5", kGrayed},
        {"2.5", kGrayed},
        {"-0.4", kUnchecked},
        {"2.6", std::nullopt},
        {"1e0", kChecked},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1.", kChecked},
        {".", std::nullopt},
        {"+", std::nullopt},
        {"0x1", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CheckStateFromSetting(row.text), row.state) << '"' << row.text << '"';
    }
}

class ShowHelpSettingTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "settings.conf";
};

TEST_F(ShowHelpSettingTest, DefaultsToOneAndRoundTripsEveryState) {
    const ShowHelpSetting setting("Quorvane", file_);
    EXPECT_EQ(setting.Read(), "1");
    for (const char* value : {"0", "2", "1"}) {
        ASSERT_TRUE(setting.Write(value));
        EXPECT_EQ(ShowHelpSetting("Quorvane", file_).Read(), value);
    }
}

TEST_F(ShowHelpSettingTest, KeptInGroupSettingsUnderKeyShowHelp) {
    ShowHelpSetting("Quorvane", file_).Write("0");
    std::ifstream in(file_);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find("[Settings]\nshowHelp=0"), std::string::npos) << text;
}

TEST_F(ShowHelpSettingTest, TheUserFileIsNamedAfterTheProduct) {
    ::setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
    EXPECT_EQ(UserSettingsFile("Quorvane"), folder_ / "Quorvane" / "Quorvane.conf");
    ASSERT_TRUE(ShowHelpSetting("Quorvane").Write("0"));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "Quorvane" / "Quorvane.conf"));
    EXPECT_EQ(ShowHelpSetting("Quorvane").Read(), "0");
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(ShowHelpSettingTest, AStoreThatCantBeUsedGivesTheDefaultAndLosesWrites) {
    std::ofstream(folder_ / "blocked") << "x";
    const ShowHelpSetting setting("Quorvane", folder_ / "blocked" / "settings.conf");
    EXPECT_FALSE(setting.Write("0"));
    EXPECT_EQ(setting.Read(), "1");
}

}  // namespace
}  // namespace quorvane
