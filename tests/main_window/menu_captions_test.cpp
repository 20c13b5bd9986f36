// The access letters of the menus: each item of a menu reached by a letter of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "main_window/commands.h"
#include "main_window/menu_captions.h"

namespace quorvane::testing {
namespace {

struct CaptionRow {
    const char* caption;
    const char* shown;
    std::optional<char> letter;
};

TEST(MenuCaptions, ShowTheCaptionWithoutMarkersAndFindItsLetter) {
    const CaptionRow rows[] = {
        {"&Open", "Open", 'o'},
        {"E&xit", "Exit", 'x'},
        {"Image &List", "Image List", 'l'},
        {"Save &Images\u2026", "Save Images\u2026", 'i'},
        {"Fish && &Chips", "Fish & Chips", 'c'},
        {"Fish && Chips", "Fish & Chips", std::nullopt},
        {"Website", "Website", std::nullopt},
        {"Trailing&", "Trailing&", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const CaptionRow& row : rows) {
        EXPECT_EQ(ShownCaption(row.caption), row.shown) << row.caption;
        EXPECT_EQ(AccessLetter(row.caption), row.letter) << row.caption;
    }
}

// Alt and the menu's letter, then the item's letter, must choose one item at once: a
// letter two items share only moves the highlight between them.
TEST(MenuCaptions, EveryItemOfAMenuHasALetterNoOtherItemOfItHas) {
    // A submenu is one item of its menu, and its items a menu of their own.
    std::map<std::string, std::map<char, std::string>> letters;
    std::map<std::string, std::string> submenus;  // each submenu's menu
    for (const Command& command : Commands()) {
        if (command.menu == nullptr) {
            continue;
        }
        std::string menu = command.menu;
        if (command.submenu != nullptr) {
            submenus.emplace(command.submenu, menu);
            menu = command.submenu;
        }
        const std::optional<char> letter = AccessLetter(command.caption);
        ASSERT_TRUE(letter.has_value()) << menu << " > " << command.caption;
        const auto [place, added] = letters[menu].emplace(*letter, command.caption);
        EXPECT_TRUE(added) << menu << " > " << command.caption << " shares '" << *letter
                           << "' with " << place->second;
    }
    for (const auto& [submenu, menu] : submenus) {
        const std::optional<char> letter = AccessLetter(submenu);
        ASSERT_TRUE(letter.has_value()) << submenu;
        const auto [place, added] = letters[menu].emplace(*letter, submenu);
        EXPECT_TRUE(added) << menu << " > " << submenu << " shares '" << *letter << "' with "
                           << place->second;
        letters.erase(submenu);
    }
    std::map<char, std::string> menuLetters;
    for (const auto& [menu, items] : letters) {
        const std::optional<char> letter = AccessLetter(menu);
        ASSERT_TRUE(letter.has_value()) << menu;
        EXPECT_TRUE(menuLetters.emplace(*letter, menu).second) << menu;
    }
}

struct WebsiteRow {
    const char* website;
    const char* caption;
};

// The website item takes its caption from the version record at start, so its letter is
// chosen then, among those the View menu leaves free.
TEST(MenuCaptions, TheWebsiteItemTakesTheFirstLetterTheViewMenuLeavesFree) {
    const WebsiteRow rows[] = {
        {"tarnwick.example", "&tarnwick.example"},
        {"images.example", "i&mages.example"},
        {"Browser.Source.example", "Bro&wser.Source.example"},
        {"b&b.example", "b&&b.e&xample"},
        {"123.example", "&123.example"},
        {"bsi", "bsi"},
        {"", ""},
    };
    for (const WebsiteRow& row : rows) {
        EXPECT_EQ(WebsiteMenuCaption(row.website), row.caption) << row.website;
        EXPECT_EQ(ShownCaption(WebsiteMenuCaption(row.website)), row.website);
    }
}

}  // namespace
}  // namespace quorvane::testing
