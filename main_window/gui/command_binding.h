#pragma once

#include <functional>

#include "main_window/commands.h"

class wxFrame;

namespace quorvane {

// The window number of a command's buttons, menu item and shortcuts.
int CommandWindowId(CommandId id);

// The main window's menus, built from the table of Commands(), and every button, menu
// item and shortcut of the window bound to the routine of its command.
class CommandBinding {
  public:
    // focusVisibleView: gives the keyboard to the view shown, after a command that
    // shows one.
    CommandBinding(wxFrame& frame, CommandTarget target, std::function<void()> focusVisibleView);
    CommandBinding(const CommandBinding&) = delete;
    CommandBinding& operator=(const CommandBinding&) = delete;

    // The View menu's "Website" item, captioned with the website's address.
    void SetWebsiteCaption(const std::string& website);

  private:
    void CreateMenus();
    void BindCommands();
    void BindShortcuts();
    void RunCommand(const Command& command);

    wxFrame& frame_;
    CommandTarget target_;
    std::function<void()> focusVisibleView_;
};

}  // namespace quorvane
