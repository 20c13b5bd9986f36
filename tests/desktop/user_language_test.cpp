// The program reads its translations from the locale folder beside it, through
// wxWidgets in the windows and through the C library below them.
#include "desktop/gui/user_language.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <wx/intl.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "desktop/translation.h"
#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

constexpr char kGermanCatalog[] =
    "msgid \"\"\n"
    "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "msgid \"Not found\"\n"
    "msgstr \"Nicht gefunden\"\n"
    "msgid \"Saved {1} to {2}\"\n"
    "msgstr \"{1} in {2} gespeichert\"\n";

TEST(UserLanguage, TheLocaleFolderBesideTheProgramGivesTheWindowsAndLibrariesTheirTexts) {
    const TempFolder program;
    std::filesystem::create_directories(program / "locale/de/LC_MESSAGES");
    program.Write("/de.po", kGermanCatalog);
    const std::string make = std::string(QUORVANE_MSGFMT) + " -o " +
                             (program / "locale/de/LC_MESSAGES/quorvane.mo").string() + " " +
                             program.File("/de.po");
    ASSERT_EQ(std::system(make.c_str()), 0);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::setenv("LANGUAGE", "de", 1);

    UseTheUsersLanguage(program.Path());

    EXPECT_EQ(_("Not found"), wxString("Nicht gefunden"));
    EXPECT_EQ(_("Match case"), wxString("Match case"));
    EXPECT_EQ(Translated("Not found"), "Nicht gefunden");
    EXPECT_EQ(Translated("Saved {1} to {2}", {"page.html", "~/Downloads"}),
              "page.html in ~/Downloads gespeichert");
}

}  // namespace
}  // namespace quorvane
