#include "main_window/gui/encoding_menu.h"

#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/menu.h>

#include <utility>

#include "inspection/encoding_choices.h"
#include "main_window/gui/command_binding.h"

namespace quorvane {

// Past every command's number.
int EncodingMenu::ChoiceWindowId(std::size_t index) {
    return wxID_HIGHEST + 1000 + static_cast<int>(index);
}

EncodingMenu::EncodingMenu(wxFrame& frame, std::function<std::string()> shown,
                           std::function<void(std::string_view name)> chosen)
    : shown_(std::move(shown)), chosen_(std::move(chosen)) {
    const int inUse = CommandWindowId(CommandId::EncodingInUse);
    wxMenu* menu = nullptr;
    frame.GetMenuBar()->FindItem(inUse, &menu);
    const auto choices = EncodingChoices();
    std::string_view language;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].language != language) {
            menu->AppendSeparator();
            language = choices[i].language;
        }
        const wxString caption =
            wxGetTranslation(wxString::FromUTF8(std::string(choices[i].language))) + " (" +
            wxString::FromUTF8(std::string(choices[i].name)) + ")";
        menu->Append(ChoiceWindowId(i), caption);
    }
    frame.Bind(
        wxEVT_MENU,
        [this, choices](wxCommandEvent& event) {
            chosen_(choices[static_cast<std::size_t>(event.GetId() - ChoiceWindowId(0))].name);
        },
        ChoiceWindowId(0), ChoiceWindowId(choices.size() - 1));
    // Before the command's own, which ticks it.
    frame.Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            const std::string encoding = shown_();
            event.SetText(encoding.empty() ? _("&In Use") : "&" + wxString::FromUTF8(encoding));
            event.Skip();
        },
        inUse);
}

}  // namespace quorvane
