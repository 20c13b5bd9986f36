// A catalog installed in the locale folder is what the libraries without a display show.
#include "desktop/translation.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace quorvane {
namespace {

constexpr char kGermanCatalog[] =
    "msgid \"\"\n"
    "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "msgid \"Not found\"\n"
    "msgstr \"Nicht gefunden\"\n"
    "msgid \"Reading the page as it is now\xE2\x80\xA6\"\n"
    "msgstr \"Die Seite wird gelesen\xE2\x80\xA6\"\n";

// Makes <locale>/de/LC_MESSAGES/quorvane.mo from the catalog above, as the build makes one
// from a language's .po file.
bool InstallGermanCatalog(const TempFolder& locale) {
    std::filesystem::create_directories(locale / "de/LC_MESSAGES");
    locale.Write("/de.po", kGermanCatalog);
    const std::string command = std::string(QUORVANE_MSGFMT) + " -o " +
                                (locale / "de/LC_MESSAGES/quorvane.mo").string() + " " +
                                locale.File("/de.po");
    return std::system(command.c_str()) == 0;
}

TEST(Translation, TheCatalogOfTheUsersLanguageGivesTheTextsItTranslates) {
    const TempFolder locale;
    ASSERT_TRUE(InstallGermanCatalog(locale));
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    ::setenv("LANGUAGE", "de", 1);
    UseTranslationsIn(locale.Path());
    struct Row {
        const char* english;
        const char* shown;
    };
    for (const Row& row :
         {Row{"Not found", "Nicht gefunden"},
          Row{"Reading the page as it is now\u2026", "Die Seite wird gelesen\u2026"},
          Row{"Match case", "Match case"}}) {
        EXPECT_EQ(Translated(row.english), row.shown);
    }
}

struct FillRow {
    const char* pattern;
    std::initializer_list<std::string_view> values;
    const char* text;
};

// A translation may put the values in another order than the English text.
TEST(Translation, EachPlaceIsFilledInByItsValueWhereverItStands) {
    const FillRow rows[] = {
        {"Saved {1} to {2}", {"page.html", "~/Downloads"}, "Saved page.html to ~/Downloads"},
        {"Nach {2} gespeichert: {1}",
         {"page.html", "~/Downloads"},
         "Nach ~/Downloads gespeichert: page.html"},
        {"{1} and {1}", {"a"}, "a and a"},
        {"{1}{2}", {"a", "b"}, "ab"},
        {"{3} stays, {0} too, {12} and {x} and {",
         {"a", "b"},
         "{3} stays, {0} too, {12} and {x} and {"},
        {"No places", {"a"}, "No places"},
        {"{1} holds {2}", {"{2}", "x"}, "{2} holds x"},
    };
    for (const FillRow& row : rows) {
        EXPECT_EQ(FilledIn(row.pattern, row.values), row.text) << row.pattern;
    }
}

}  // namespace
}  // namespace quorvane
