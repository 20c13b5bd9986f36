// MainFrame's commands: the menus built from the table of Commands(), and every button, menu
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

int MainFrame::CommandWindowId(CommandId id) {
    return wxID_HIGHEST + 1 + static_cast<int>(id);
}

void MainFrame::CreateMenus() {
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
                     *command.accelerator ? caption + "\t" + command.accelerator : caption,
                     wxString(), command.checked != nullptr ? wxITEM_CHECK : wxITEM_NORMAL);
    }
    // The access keys (Alt+F, ...) show as underlined letters, not as part of the captions.
    bar->Append(menu, title);
    SetMenuBar(bar);
}

// Menu items and shortcuts raise menu events, buttons button events, each with the
// number of its command.
void MainFrame::BindCommands() {
    for (const Command& command : Commands()) {
        const auto run = [this, &command](wxCommandEvent&) { RunCommand(command); };
        Bind(wxEVT_MENU, run, CommandWindowId(command.id));
        Bind(wxEVT_BUTTON, run, CommandWindowId(command.id));
        Bind(
            wxEVT_UPDATE_UI,
            [this, &command](wxUpdateUIEvent& event) {
                event.Enable(command.enabled(Target()));
                if (command.checked != nullptr) {
                    event.Check(command.checked(Target()));
                }
            },
            CommandWindowId(command.id));
    }
}

CommandTarget MainFrame::Target() {
    return {*controller_, *this};
}

// The keys of commands without a menu item, and the further keys of some that have one.
void MainFrame::BindShortcuts() {
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

void MainFrame::RunCommand(const Command& command) {
    controller_->UserAction();
    command.run(Target());
    if (command.viewTakesFocus) {
        FocusVisibleView();
    }
}

void MainFrame::OpenFindBar() {
    findBar_->Open();
}

void MainFrame::FindNextOnBar() {
    findBar_->FindAgain(true);
}

void MainFrame::FindPreviousOnBar() {
    findBar_->FindAgain(false);
}

void MainFrame::FocusAddressBox() {
    addressBox_->SetFocus();
    addressBox_->SelectAll();
}

void MainFrame::ClickToolsMenuItem(ToolsMenuItem item) {
    const ToolsMenuClick click = quorvane::ClickToolsMenuItem(item, toolsItems_, toolsMenuStore_,
                                                              ProgramPath(), branding.productName);
    toolsItems_ = click.items;
    if (!click.failure.empty()) {
        controller_->ShowMessage(click.failure);
    }
}

bool MainFrame::ToolsMenuItemEnabled(ToolsMenuItem item) const {
    return item == ToolsMenuItem::Add ? toolsItems_.addEnabled : toolsItems_.removeEnabled;
}

}  // namespace quorvane
