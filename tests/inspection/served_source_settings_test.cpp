#include "inspection/gui/served_source_settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "branding/gui/show_help_setting.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

TEST(ServedSourceSettings, KeepTheLookBesideTheOtherSettings) {
    TempFolder folder;
    const auto file = folder / "Quorvane" / "Quorvane.conf";
    const ServedSourceSettings settings(file);
    EXPECT_EQ(settings.Read(), (ServedSourceLook{true, false, false}));
    const ShowHelpSetting showHelp("Quorvane", file);
    ASSERT_TRUE(showHelp.Write("0"));
    for (const ServedSourceLook look :
         {ServedSourceLook{false, true, true}, ServedSourceLook{true, false, true},
          ServedSourceLook{false, false, false}}) {
        ASSERT_TRUE(settings.Write(look));
        EXPECT_EQ(settings.Read(), look);
        EXPECT_EQ(showHelp.Read(), "0");
    }
}

TEST(ServedSourceSettings, GiveTheDefaultsForAStoreThatCannotBeRead) {
    TempFolder folder;
    const auto file = folder / "Quorvane.conf";
    std::ofstream(file) << "[Source]\ncoloured=maybe\nwrapped\n\x01\x02[[[";
    EXPECT_EQ(ServedSourceSettings(file).Read(), (ServedSourceLook{true, false}));
}

}  // namespace
}  // namespace quorvane
