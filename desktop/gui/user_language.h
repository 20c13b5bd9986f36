#pragma once

#include <string>

namespace quorvane {

// Shows the program's texts, and the toolkit's, in the user's language where the locale
// folder beside the program (programFolder/locale) holds a translation; English elsewhere.
// Once, before the first window.
void UseTheUsersLanguage(const std::string& programFolder);

}  // namespace quorvane
