#include "main_window/commands.h"

#include <iterator>

#include "main_window/main_window_controller.h"

namespace quorvane {
namespace {

using C = MainWindowController;

// The View menu's "Website" item is captioned with the website's address at start-up.
constexpr Command kCommands[] = {
    {CommandId::Open, "&File", false, "Open", "Ctrl+O", [](C& c) { c.Open(); }, false},
    {CommandId::Exit, "&File", false, "Exit", "Ctrl+Q", [](C& c) { c.Exit(); }, false},
    {CommandId::SaveImages, "&File", true, "Save Images\u2026", "Ctrl+Shift+S",
     [](C& c) { c.SaveImages(); }, false},
    {CommandId::Back, "&Go", false, "Back", "Alt+Left", [](C& c) { c.Back(); }, false},
    {CommandId::Forward, "&Go", false, "Forward", "Alt+Right", [](C& c) { c.Forward(); }, false},
    {CommandId::Stop, "&Go", false, "Stop", "Esc", [](C& c) { c.Stop(); }, false},
    {CommandId::Refresh, "&Go", false, "Refresh", "F5", [](C& c) { c.RefreshPage(); }, false},
    {CommandId::UpDir, "&Go", false, "Back a Directory", "", [](C& c) { c.UpDir(); }, false},
    {CommandId::SendToIE, "&Go", false, "Send Page to Browser Tab", "", [](C& c) { c.SendToIE(); },
     false},
    {CommandId::BrowserView, "&View", false, "Browser", "Ctrl+1",
     [](C& c) { c.ViewMenuItemClick(C::kBrowserView); }, true},
    {CommandId::SourceView, "&View", false, "Source Code", "Ctrl+2",
     [](C& c) { c.ViewMenuItemClick(C::kSourceView); }, true},
    {CommandId::ImagesView, "&View", false, "Images", "Ctrl+3",
     [](C& c) { c.ViewMenuItemClick(C::kImagesView); }, true},
    {CommandId::Website, "&View", false, "Website", "", [](C& c) { c.VisitWebsite(); }, false},
    {CommandId::Find, "&View", true, "Find\u2026", "Ctrl+F", nullptr, false},
    {CommandId::FindNext, "&View", false, "Find Next", "F3", nullptr, false},
    {CommandId::FindPrevious, "&View", false, "Find Previous", "Shift+F3", nullptr, false},
    {CommandId::ZoomIn, "&View", true, "Zoom In", "Ctrl++", [](C& c) { c.ZoomIn(); }, false},
    {CommandId::ZoomOut, "&View", false, "Zoom Out", "Ctrl+-", [](C& c) { c.ZoomOut(); }, false},
    {CommandId::ActualSize, "&View", false, "Actual Size", "Ctrl+0", [](C& c) { c.ActualSize(); },
     false},
    {CommandId::AddToToolsMenu, "&Tools", false, "Add program to IE Tools Menu", "", nullptr,
     false},
    {CommandId::RemoveFromToolsMenu, "&Tools", false, "Remove Program from IE Tools Menu", "",
     nullptr, false},
    {CommandId::Help, "&Help", false, "View Help", "", [](C& c) { c.ShowHelp(); }, false},
    {CommandId::About, "&About", false, "About this software", "", [](C& c) { c.ShowAbout(); },
     false},
    // The Go button and Ctrl+L have no menu item; Ctrl+L only moves the focus to the
    // address box.
    {CommandId::Go, nullptr, false, "", "", [](C& c) { c.Go(); }, false},
    {CommandId::FocusAddress, nullptr, false, "", "Ctrl+L", nullptr, false},
};

// The zoom keys as other browsers take them too: Ctrl+= without Shift, and the keypad's.
constexpr ExtraShortcut kExtraShortcuts[] = {
    {"Ctrl+=", CommandId::ZoomIn},
    {"Ctrl+KP_Add", CommandId::ZoomIn},
    {"Ctrl+KP_Subtract", CommandId::ZoomOut},
    {"Ctrl+KP_0", CommandId::ActualSize},
};

// Each command is in the table once, at the place of its number, so CommandFor finds it
// there.
constexpr bool EachCommandAtItsNumber() {
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        if (static_cast<std::size_t>(kCommands[i].id) != i) {
            return false;
        }
    }
    return static_cast<std::size_t>(CommandId::FocusAddress) + 1 == std::size(kCommands);
}
static_assert(EachCommandAtItsNumber());

}  // namespace

std::span<const Command> Commands() {
    return kCommands;
}

const Command& CommandFor(CommandId id) {
    return kCommands[static_cast<std::size_t>(id)];
}

std::span<const ExtraShortcut> ExtraShortcuts() {
    return kExtraShortcuts;
}

}  // namespace quorvane
