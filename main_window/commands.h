#pragma once

#include <span>

#include "desktop/ie_tools_menu.h"
#include "source_changes/source_mode.h"

namespace quorvane {

class MainWindowController;

// The switches of the Original Source view's look, kept by the window with its settings;
// Headers shows the page's status and headers beside its text.
enum class SourceSwitch { Wrap, Colour, Reformat, Headers };

// The controls a few commands work that only the window has: the find bar, the address
// box, the Tools menu's items and the Original Source view's line and look. The wx frame
// implements it; tests use a recording fake.
class WindowControls {
  public:
    virtual ~WindowControls() = default;
    virtual void OpenFindBar() = 0;
    // The match after (before) the current one; with the bar closed or empty it opens.
    virtual void FindNextOnBar() = 0;
    virtual void FindPreviousOnBar() = 0;
    virtual void FocusAddressBox() = 0;
    virtual void ClickToolsMenuItem(ToolsMenuItem item) = 0;
    virtual bool ToolsMenuItemEnabled(ToolsMenuItem item) const = 0;
    // Asks for a line number and shows that line of the Original Source view.
    virtual void GoToSourceLine() = 0;
    virtual void FlipSourceSwitch(SourceSwitch which) = 0;
    virtual bool SourceSwitchOn(SourceSwitch which) const = 0;
    // What the Original Source view shows of the page (the mode, remembered), its next or
    // previous change in the "Changes" mode, and the page as it is now read again.
    virtual void ChooseSourceMode(SourceMode mode) = 0;
    virtual bool SourceModeChosen(SourceMode mode) const = 0;
    virtual void GoToChange(bool next) = 0;
    virtual void ReadPageAgain() = 0;
    // The window that lists every command a key runs; shown again when it is open.
    virtual void ShowKeyboardShortcuts() = 0;
};

// What a command works on: the window's logic, and the controls only the window has.
struct CommandTarget {
    MainWindowController& controller;
    WindowControls& window;
};

// Every command of the main window, however the user reaches it: button, menu item or
// shortcut.
enum class CommandId {
    Open,
    NewWindow,
    Exit,
    SaveImages,
    SaveSource,
    SavePage,
    ExportImageList,
    ExportRequests,
    CancelDownload,
    Back,
    Forward,
    Stop,
    Refresh,
    UpDir,
    SendToIE,
    Home,
    BrowserView,
    SourceView,
    ImagesView,
    Website,
    ServedSourceView,
    ImageListView,
    RequestListView,
    GoToLine,
    WrapLines,
    ColourSource,
    ReformatSource,
    SourceHeaders,
    SourceAsServed,
    SourceAsNow,
    SourceChanges,
    NextChange,
    PreviousChange,
    ReadPageAgain,
    EncodingInUse,
    Find,
    FindNext,
    FindPrevious,
    ZoomIn,
    ZoomOut,
    ActualSize,
    AddToToolsMenu,
    RemoveFromToolsMenu,
    Help,
    KeyboardShortcuts,
    About,
    Go,
    FocusAddress,
};

// One command: where its menu item is, its caption and shortcut, the routine that carries
// it out and when it can be used. A button of the command runs the same routine.
struct Command {
    CommandId id;
    // The title of the menu that holds the item, with its access key; nullptr when the
    // command has no menu item.
    const char* menu;
    bool afterSeparator;      // the item is the first of a group of its menu
    const char* caption;      // the menu item's caption
    const char* accelerator;  // shown beside the caption and a shortcut; "" when none
    void (*run)(const CommandTarget& target);
    // Whether its menu item, button and shortcuts can be used now.
    bool (*enabled)(const CommandTarget& target);
    bool viewTakesFocus;  // the view shown afterwards takes the keyboard focus
    // For a menu item that is ticked or not: whether it is ticked now; nullptr for others.
    bool (*checked)(const CommandTarget& target) = nullptr;
    // The caption of the submenu of menu that holds the item, with its access key; nullptr
    // for an item of the menu itself. The items of one submenu follow each other.
    const char* submenu = nullptr;
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
