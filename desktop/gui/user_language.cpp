#include "desktop/gui/user_language.h"

#include <wx/translation.h>
#include <wx/uilocale.h>

#include <clocale>

#include "desktop/translation.h"

namespace quorvane {

// Numbers keep the decimal point in every language: the work files and the pages the
// program makes are read by programs, and stay the same bytes whoever runs it.
void UseTheUsersLanguage(const std::string& programFolder) {
    wxUILocale::UseDefault();
    std::setlocale(LC_NUMERIC, "C");
    const std::string localeFolder = programFolder + "/locale";
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(localeFolder));
    auto* translations = new wxTranslations;  // wxWidgets owns it from here
    wxTranslations::Set(translations);
    translations->AddStdCatalog();
    translations->AddCatalog(kTranslationDomain, wxLANGUAGE_ENGLISH_US);
    UseTranslationsIn(localeFolder);
}

}  // namespace quorvane
