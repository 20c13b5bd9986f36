#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvane {

// The program's texts are written in English and shown in the user's language where a
// translation of the catalog below is installed. The windows mark theirs with
// wxWidgets' _(); the libraries without a display with these, which read the same
// catalog through the C library's gettext.

// The catalog's name: the locale folder holds <language>/LC_MESSAGES/quorvane.mo.
inline constexpr char kTranslationDomain[] = "quorvane";

// Marks a text of a table made before the program runs: the catalog takes it, and whoever
// shows it translates it then.
constexpr const char* Translatable(const char* english) {
    return english;
}

// The text in the user's language; english itself where there is no translation.
std::string Translated(const char* english);

// The text in the user's language with its places "{1}", "{2}", … filled in by values in
// their order, wherever the translation puts them: "Saved {1} to {2}".
std::string Translated(const char* english, std::initializer_list<std::string_view> values);

// pattern with each "{n}" (1 to the number of values) replaced by the nth value; any
// other brace is the pattern's own.
std::string FilledIn(std::string_view pattern, std::initializer_list<std::string_view> values);

// Reads the catalog from localeFolder, in the user's language.
void UseTranslationsIn(const std::string& localeFolder);

}  // namespace quorvane
