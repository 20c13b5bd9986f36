// Form1's commands: the menus built from the table of Commands(), and every button, menu
// item and shortcut bound to the routine of its command.
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "branding/branding_values.h"
#include "desktop/program_folder.h"
#include "desktop/registry_store.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/main_frame.h"

namespace quorvane {

int Form1::CommandWindowId(CommandId id) {
    return wxID_HIGHEST + 1 + static_cast<int>(id);
}

void Form1::CreateMenus() {
    auto* bar = new wxMenuBar;
    wxMenu* menu = nullptr;
    wxString title;
    for (const Command& command : Commands()) {
        if (command.menu == nullptr) {
            continue;
        }
        if (menu == nullptr || title != command.menu) {
            if (menu != nullptr) {
                bar->Append(menu, title);
            }
            menu = new wxMenu;
            title = command.menu;
        } else if (command.afterSeparator) {
            menu->AppendSeparator();
        }
        // The accelerator, after a tab, is shown in the menu and works as a shortcut.
        const wxString caption = wxString::FromUTF8(command.caption);
        menu->Append(CommandWindowId(command.id),
                     *command.accelerator ? caption + "\t" + command.accelerator : caption);
    }
    // The access keys (Alt+F, ...) show as underlined letters, not as part of the captions.
    bar->Append(menu, title);
    SetMenuBar(bar);
}

// Menu items and shortcuts raise menu events, buttons button events, each with the
// number of its command.
void Form1::BindCommands() {
    for (const Command& command : Commands()) {
        const auto run = [this, &command](wxCommandEvent&) { RunCommand(command); };
        Bind(wxEVT_MENU, run, CommandWindowId(command.id));
        Bind(wxEVT_BUTTON, run, CommandWindowId(command.id));
    }
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) { event.Enable(controller_->CanSaveImages()); },
        CommandWindowId(CommandId::SaveImages));
}

// The keys of commands without a menu item, and the further keys of some that have one.
void Form1::BindShortcuts() {
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
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void Form1::RunCommand(const Command& command) {
    if (command.routine != nullptr) {
        command.routine(*controller_);
    } else {
        RunWindowCommand(command.id);
    }
    if (command.viewTakesFocus) {
        FocusVisibleView();
    }
}

void Form1::RunWindowCommand(CommandId id) {
    switch (id) {
        case CommandId::Find:
            findBar_->Open();
            break;
        case CommandId::FindNext:
            findBar_->FindAgain(true);
            break;
        case CommandId::FindPrevious:
            findBar_->FindAgain(false);
            break;
        case CommandId::AddToToolsMenu:
            OnToolsMenu(0);
            break;
        case CommandId::RemoveFromToolsMenu:
            OnToolsMenu(1);
            break;
        case CommandId::FocusAddress:
            FocusAddressBox();
            break;
        default:
            break;
    }
}

void Form1::FocusAddressBox() {
    txtUrl_->SetFocus();
    txtUrl_->SelectAll();
}

void Form1::OnToolsMenu(int index) {
    const ToolsMenuClick click =
        ToolsMenuItemClick(index, toolsItems_, toolsMenuStore_, ProgramPath(), strProductName);
    toolsItems_ = click.items;
    if (!click.failure.empty()) {
        SetStatusText(click.failure);
    }
    GetMenuBar()->Enable(CommandWindowId(CommandId::AddToToolsMenu), toolsItems_.addEnabled);
    GetMenuBar()->Enable(CommandWindowId(CommandId::RemoveFromToolsMenu),
                         toolsItems_.removeEnabled);
}

}  // namespace quorvane
