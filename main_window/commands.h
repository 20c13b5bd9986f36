#pragma once

#include <span>

namespace quorvane {

class MainWindowController;

// Every command of the main window, however the user reaches it: button, menu item or
// shortcut.
enum class CommandId {
    Open,
    Exit,
    SaveImages,
    Back,
    Forward,
    Stop,
    Refresh,
    UpDir,
    SendToIE,
    BrowserView,
    SourceView,
    ImagesView,
    Website,
    Find,
    FindNext,
    FindPrevious,
    ZoomIn,
    ZoomOut,
    ActualSize,
    AddToToolsMenu,
    RemoveFromToolsMenu,
    Help,
    About,
    Go,
    FocusAddress,
};

// One command: where its menu item is, its caption and shortcut, and the controller's
// routine that carries it out. A button of the command runs the same routine.
struct Command {
    CommandId id;
    // The title of the menu that holds the item, with its access key; nullptr when the
    // command has no menu item.
    const char* menu;
    bool afterSeparator;      // the item is the first of a group of its menu
    const char* caption;      // the menu item's caption
    const char* accelerator;  // shown beside the caption and a shortcut; "" when none
    // nullptr for the few commands that only work the window's own controls (the find
    // bar, the address box, the Tools menu's registry entries): the window runs those.
    void (*routine)(MainWindowController& controller);
    bool viewTakesFocus;  // the view shown afterwards takes the keyboard focus
};

// A further key for a command, beside the accelerator its menu item shows.
struct ExtraShortcut {
    const char* keys;
    CommandId id;
};

// Every command, in the order of the menus and of their items.
std::span<const Command> Commands();
const Command& CommandFor(CommandId id);
std::span<const ExtraShortcut> ExtraShortcuts();

}  // namespace quorvane
