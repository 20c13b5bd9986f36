#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A menu caption marks its access letter with "&" before it and shows a "&" of its own
// as "&&", as wx and the desktop's menus read it.

// The caption as the menu shows it: the markers gone, "&&" shown as one "&".
std::string ShownCaption(std::string_view caption);

// The access letter, in lower case, or none when the caption marks none.
std::optional<char> AccessLetter(std::string_view caption);

// The View menu's website item, captioned with the website's address: its access letter is
// the address's first letter or digit that no other item of the menu has, so that Alt+V
// and that letter choose it whatever the address; none when every one is taken.
std::string WebsiteMenuCaption(std::string_view website);

}  // namespace quorvane
