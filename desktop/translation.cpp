#include "desktop/translation.h"

#include <libintl.h>

namespace quorvane {

std::string Translated(const char* english) {
    return dgettext(kTranslationDomain, english);
}

std::string Translated(const char* english, std::initializer_list<std::string_view> values) {
    return FilledIn(dgettext(kTranslationDomain, english), values);
}

std::string FilledIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t close = pattern.find('}', i);
        const bool place = pattern[i] == '{' && close != std::string_view::npos && close == i + 2 &&
                           pattern[i + 1] >= '1' &&
                           static_cast<std::size_t>(pattern[i + 1] - '0') <= values.size();
        if (place) {
            text += *(values.begin() + (pattern[i + 1] - '1'));
            i = close;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// The program's own texts are UTF-8 whatever the locale's character set.
void UseTranslationsIn(const std::string& localeFolder) {
    bindtextdomain(kTranslationDomain, localeFolder.c_str());
    bind_textdomain_codeset(kTranslationDomain, "UTF-8");
}

}  // namespace quorvane
