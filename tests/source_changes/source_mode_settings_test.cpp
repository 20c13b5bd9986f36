// The mode of the "Original Source" view, kept in the settings file beside the look.
#include "source_changes/gui/source_mode_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "inspection/gui/served_source_settings.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(SourceModeSettings, KeepTheModeBesideTheLook) {
    TempFolder folder;
    const auto file = folder / "Quorvane" / "Quorvane.conf";
    const SourceModeSettings settings(file);
    EXPECT_EQ(settings.Read(), SourceMode::AsServed);
    const ServedSourceSettings look(file);
    ASSERT_TRUE(look.Write({false, true}));
    for (const SourceMode mode : {SourceMode::Changes, SourceMode::AsNow, SourceMode::AsServed}) {
        ASSERT_TRUE(settings.Write(mode));
        EXPECT_EQ(settings.Read(), mode);
        EXPECT_EQ(look.Read(), (ServedSourceLook{false, true}));
    }
    std::ifstream written(file);
    const std::string text((std::istreambuf_iterator<char>(written)), {});
    EXPECT_NE(text.find("shownAs=served"), std::string::npos) << text;
}

TEST(SourceModeSettings, GiveAsServedForAValueThatNamesNoMode) {
    TempFolder folder;
    const auto file = folder / "Quorvane.conf";
    std::ofstream(file) << "[Source]\nshownAs=sideways\n";
    EXPECT_EQ(SourceModeSettings(file).Read(), SourceMode::AsServed);
}

}  // namespace
}  // namespace quorvane
