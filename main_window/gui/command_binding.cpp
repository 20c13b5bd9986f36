#include "main_window/gui/command_binding.h"

#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/menu.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "main_window/main_window_controller.h"
#include "main_window/menu_captions.h"

namespace quorvane {

int CommandWindowId(CommandId id) {
    return wxID_HIGHEST + 1 + static_cast<int>(id);
}

CommandBinding::CommandBinding(wxFrame& frame, CommandTarget target,
                               std::function<void()> focusVisibleView)
    : frame_(frame), target_(target), focusVisibleView_(std::move(focusVisibleView)) {
    CreateMenus();
    BindCommands();
    BindShortcuts();
}

namespace {

// The table's captions in the user's language.
wxString Shown(const char* caption) {
    return wxGetTranslation(wxString::FromUTF8(caption));
}

// The accelerator, after a tab, is shown in the menu and works as a shortcut.
void AppendItem(wxMenu& menu, const Command& command) {
    const wxString caption = Shown(command.caption);
    menu.Append(CommandWindowId(command.id),
                *command.accelerator ? caption + "\t" + command.accelerator : caption, wxString(),
                command.checked != nullptr ? wxITEM_CHECK : wxITEM_NORMAL);
}

}  // namespace

// A submenu's first item that comes after a separator puts the separator before the submenu.
void CommandBinding::CreateMenus() {
    auto* bar = new wxMenuBar;
    wxMenu* menu = nullptr;
    wxMenu* submenu = nullptr;  // the one of menu being filled, if any
    wxString title;
    wxString submenuTitle;
    for (const Command& command : Commands()) {
        if (command.menu == nullptr) {
            continue;
        }
        const bool newMenu = menu == nullptr || title != command.menu;
        if (newMenu) {
            if (menu != nullptr) {
                bar->Append(menu, wxGetTranslation(title));
            }
            menu = new wxMenu;
            title = command.menu;
        }
        const bool newSubmenu = command.submenu != nullptr &&
                                (newMenu || submenu == nullptr || submenuTitle != command.submenu);
        if (command.submenu == nullptr || newMenu) {
            submenu = nullptr;
        }
        if (command.afterSeparator && !newMenu) {
            (newSubmenu || submenu == nullptr ? menu : submenu)->AppendSeparator();
        }
        if (newSubmenu) {
            submenu = new wxMenu;
            submenuTitle = command.submenu;
            menu->AppendSubMenu(submenu, Shown(command.submenu));
        }
        AppendItem(submenu != nullptr ? *submenu : *menu, command);
    }
    // The access keys (Alt+F, ...) show as underlined letters, not as part of the captions.
    bar->Append(menu, wxGetTranslation(title));
    frame_.SetMenuBar(bar);
}

// Menu items and shortcuts raise menu events, buttons button events, each with the
// number of its command.
void CommandBinding::BindCommands() {
    for (const Command& command : Commands()) {
        const auto run = [this, &command](wxCommandEvent&) { RunCommand(command); };
        frame_.Bind(wxEVT_MENU, run, CommandWindowId(command.id));
        frame_.Bind(wxEVT_BUTTON, run, CommandWindowId(command.id));
        frame_.Bind(
            wxEVT_UPDATE_UI,
            [this, &command](wxUpdateUIEvent& event) {
                event.Enable(command.enabled(target_));
                if (command.checked != nullptr) {
                    event.Check(command.checked(target_));
                }
            },
            CommandWindowId(command.id));
    }
}

// The keys of commands without a menu item, and the further keys of some that have one.
void CommandBinding::BindShortcuts() {
    std::vector<wxAcceleratorEntry> entries;
    const auto add = [&entries](const char* keys, CommandId id) {
        wxAcceleratorEntry entry;
        if (!entry.FromString(keys)) {
            throw std::logic_error(std::string("not a shortcut: ") + keys);
        }
        entries.emplace_back(entry.GetFlags(), entry.GetKeyCode(), CommandWindowId(id));
    };
    for (const Command& command : Commands()) {
        if (command.menu == nullptr && *command.accelerator) {
            add(command.accelerator, command.id);
        }
    }
    for (const ExtraShortcut& shortcut : ExtraShortcuts()) {
        add(shortcut.keys, shortcut.id);
    }
    frame_.SetAcceleratorTable(
        wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void CommandBinding::RunCommand(const Command& command) {
    target_.controller.UserAction();
    command.run(target_);
    if (command.viewTakesFocus) {
        focusVisibleView_();
    }
}

void CommandBinding::SetWebsiteCaption(const std::string& website) {
    frame_.GetMenuBar()->SetLabel(CommandWindowId(CommandId::Website),
                                  wxString::FromUTF8(WebsiteMenuCaption(website)));
}

}  // namespace quorvane
