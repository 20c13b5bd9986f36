#include "main_window/commands.h"

#include <iterator>

#include "desktop/translation.h"
#include "main_window/main_window_controller.h"

namespace quorvane {
namespace {

using T = const CommandTarget&;

constexpr bool Always(T) {
    return true;
}

bool ServedSourceShown(T t) {
    return t.controller.VisibleView() == MainWindowController::kServedSourceView;
}

// The Original Source view, shown in mode.
void ShowSourceAs(T t, SourceMode mode) {
    t.window.ChooseSourceMode(mode);
    t.controller.SelectView(MainWindowController::kServedSourceView);
}

bool ChangesShown(T t) {
    return ServedSourceShown(t) && t.window.SourceModeChosen(SourceMode::Changes);
}

bool LivePageShown(T t) {
    return ServedSourceShown(t) && !t.window.SourceModeChosen(SourceMode::AsServed);
}

// The submenu of the View menu that switches the Original Source view.
constexpr const char* kServedOrLive = Translatable("Served or Li&ve");

// The View menu's "Website" item is captioned with the website's address at start-up.
constexpr Command kCommands[] = {
    {CommandId::Open, "&File", false, "&Open", "Ctrl+O", [](T t) { t.controller.Open(); }, Always,
     false},
    {CommandId::NewWindow, "&File", false, Translatable("&New Window"), "Ctrl+N",
     [](T t) { t.controller.OpenNewWindow(); }, Always, false},
    {CommandId::Exit, "&File", false, "E&xit", "Ctrl+Q", [](T t) { t.controller.Exit(); }, Always,
     false},
    {CommandId::SaveImages, "&File", true, Translatable("Save &Images\u2026"), "Ctrl+Shift+S",
     [](T t) { t.controller.SaveImages(); }, [](T t) { return t.controller.CanSaveImages(); },
     false},
    {CommandId::SaveSource, "&File", false, Translatable("Sa&ve Source\u2026"), "Ctrl+S",
     [](T t) { t.controller.SaveSource(); }, Always, false},
    // The page saved whole, with its pictures, in one file that Open shows again.
    {CommandId::SavePage, "&File", false, Translatable("Save &Page\u2026"), "",
     [](T t) { t.controller.SavePage(); }, Always, false},
    {CommandId::ExportImageList, "&File", false, Translatable("&Export Image List\u2026"), "Ctrl+E",
     [](T t) { t.controller.ExportImageList(); }, Always, false},
    {CommandId::ExportRequests, "&File", false, "Export &Requests\u2026", "Ctrl+Shift+E",
     [](T t) { t.controller.ExportRequests(); }, Always, false},
    // While a download runs; Stop cancels it too, with everything else.
    {CommandId::CancelDownload, "&File", true, Translatable("&Cancel Download"), "",
     [](T t) { t.controller.CancelDownloads(); },
     [](T t) { return t.controller.DownloadRunning(); }, false},
    {CommandId::Back, "&Go", false, "&Back", "Alt+Left", [](T t) { t.controller.Back(); }, Always,
     false},
    {CommandId::Forward, "&Go", false, "&Forward", "Alt+Right", [](T t) { t.controller.Forward(); },
     Always, false},
    {CommandId::Stop, "&Go", false, "&Stop", "Esc", [](T t) { t.controller.Stop(); }, Always,
     false},
    {CommandId::Refresh, "&Go", false, "&Refresh", "F5", [](T t) { t.controller.RefreshPage(); },
     Always, false},
    {CommandId::UpDir, "&Go", false, "Back a &Directory", "", [](T t) { t.controller.UpDir(); },
     Always, false},
    {CommandId::SendToIE, "&Go", false, "Send Page to Browser &Tab", "",
     [](T t) { t.controller.SendToIE(); }, Always, false},
    {CommandId::Home, "&Go", false, Translatable("&Home"), "Alt+Home",
     [](T t) { t.controller.GoHome(); }, Always, false},
    {CommandId::BrowserView, "&View", false, "&Browser", "Ctrl+1",
     [](T t) { t.controller.SelectView(MainWindowController::kBrowserView); }, Always, true},
    {CommandId::SourceView, "&View", false, "&Source Code", "Ctrl+2",
     [](T t) { t.controller.SelectView(MainWindowController::kSourceView); }, Always, true},
    {CommandId::ImagesView, "&View", false, "&Images", "Ctrl+3",
     [](T t) { t.controller.SelectView(MainWindowController::kImagesView); }, Always, true},
    {CommandId::Website, "&View", false, "&Website", "", [](T t) { t.controller.VisitWebsite(); },
     Always, false},
    // The Original Source view and its look, and the Image List, a group of their own
    // after the website so that the three views and the website keep their places.
    {CommandId::ServedSourceView, "&View", true, Translatable("&Original Source"), "Ctrl+4",
     [](T t) { ShowSourceAs(t, SourceMode::AsServed); }, Always, true},
    {CommandId::ImageListView, "&View", false, Translatable("Image &List"), "Ctrl+5",
     [](T t) { t.controller.SelectView(MainWindowController::kImageListView); }, Always, true},
    // Every letter of its caption is another item's: it is reached by its tab's number.
    {CommandId::RequestListView, "&View", false, Translatable("Resources (&6)"), "Ctrl+6",
     [](T t) { t.controller.SelectView(MainWindowController::kRequestListView); }, Always, true},
    {CommandId::GoToLine, "&View", false, Translatable("&Go to Line\u2026"), "Ctrl+I",
     [](T t) { t.window.GoToSourceLine(); }, ServedSourceShown, false},
    {CommandId::WrapLines, "&View", false, Translatable("W&rap Long Lines"), "",
     [](T t) { t.window.FlipSourceSwitch(SourceSwitch::Wrap); }, Always, false,
     [](T t) { return t.window.SourceSwitchOn(SourceSwitch::Wrap); }},
    {CommandId::ColourSource, "&View", false, Translatable("&Colour Source"), "",
     [](T t) { t.window.FlipSourceSwitch(SourceSwitch::Colour); }, Always, false,
     [](T t) { return t.window.SourceSwitchOn(SourceSwitch::Colour); }},
    {CommandId::ReformatSource, "&View", false, Translatable("R&eformat Source"), "",
     [](T t) { t.window.FlipSourceSwitch(SourceSwitch::Reformat); }, Always, false,
     [](T t) { return t.window.SourceSwitchOn(SourceSwitch::Reformat); }},
    {CommandId::SourceHeaders, "&View", false, Translatable("&Headers Beside the Source"), "",
     [](T t) { t.window.FlipSourceSwitch(SourceSwitch::Headers); }, Always, false,
     [](T t) { return t.window.SourceSwitchOn(SourceSwitch::Headers); }},
    {CommandId::SourceAsServed, "&View", true, Translatable("As &Served"), "",
     [](T t) { ShowSourceAs(t, SourceMode::AsServed); }, Always, true,
     [](T t) { return t.window.SourceModeChosen(SourceMode::AsServed); }, kServedOrLive},
    {CommandId::SourceAsNow, "&View", false, Translatable("As the Page Is &Now"), "Ctrl+Shift+U",
     [](T t) { ShowSourceAs(t, SourceMode::AsNow); }, Always, true,
     [](T t) { return t.window.SourceModeChosen(SourceMode::AsNow); }, kServedOrLive},
    {CommandId::SourceChanges, "&View", false, Translatable("&Changes"), "Ctrl+Alt+U",
     [](T t) { ShowSourceAs(t, SourceMode::Changes); }, Always, true,
     [](T t) { return t.window.SourceModeChosen(SourceMode::Changes); }, kServedOrLive},
    {CommandId::NextChange, "&View", true, Translatable("Ne&xt Change"), "F7",
     [](T t) { t.window.GoToChange(true); }, ChangesShown, false, nullptr, kServedOrLive},
    {CommandId::PreviousChange, "&View", false, Translatable("&Previous Change"), "Shift+F7",
     [](T t) { t.window.GoToChange(false); }, ChangesShown, false, nullptr, kServedOrLive},
    {CommandId::ReadPageAgain, "&View", true, Translatable("&Read the Page Again"), "",
     [](T t) { t.window.ReadPageAgain(); }, LivePageShown, false, nullptr, kServedOrLive},
    // The encoding the served text is read in, named by the window; the encodings to choose
    // instead follow it in the submenu, made by the window from EncodingChoices().
    {CommandId::EncodingInUse, "&View", false, Translatable("&In Use"), "", [](T) {}, Always, false,
     [](T) { return true; }, Translatable("Text Enco&ding")},
    {CommandId::Find, "&View", true, Translatable("&Find\u2026"), "Ctrl+F",
     [](T t) { t.window.OpenFindBar(); }, Always, false},
    {CommandId::FindNext, "&View", false, Translatable("Find &Next"), "F3",
     [](T t) { t.window.FindNextOnBar(); }, Always, false},
    {CommandId::FindPrevious, "&View", false, Translatable("Find &Previous"), "Shift+F3",
     [](T t) { t.window.FindPreviousOnBar(); }, Always, false},
    {CommandId::ZoomIn, "&View", true, Translatable("&Zoom In"), "Ctrl++",
     [](T t) { t.controller.ZoomIn(); }, Always, false},
    {CommandId::ZoomOut, "&View", false, Translatable("Zoom O&ut"), "Ctrl+-",
     [](T t) { t.controller.ZoomOut(); }, Always, false},
    {CommandId::ActualSize, "&View", false, Translatable("&Actual Size"), "Ctrl+0",
     [](T t) { t.controller.ActualSize(); }, Always, false},
    {CommandId::AddToToolsMenu, "&Tools", false, "&Add program to IE Tools Menu", "",
     [](T t) { t.window.ClickToolsMenuItem(ToolsMenuItem::Add); },
     [](T t) { return t.window.ToolsMenuItemEnabled(ToolsMenuItem::Add); }, false},
    {CommandId::RemoveFromToolsMenu, "&Tools", false, "&Remove Program from IE Tools Menu", "",
     [](T t) { t.window.ClickToolsMenuItem(ToolsMenuItem::Remove); },
     [](T t) { return t.window.ToolsMenuItemEnabled(ToolsMenuItem::Remove); }, false},
    {CommandId::Help, "&Help", false, "View &Help", "", [](T t) { t.controller.ShowHelp(); },
     Always, false},
    // The desktop's key for its applications' shortcuts windows; Ctrl+/ is the same key
    // without Shift.
    {CommandId::KeyboardShortcuts, "&Help", false, Translatable("&Keyboard Shortcuts"), "Ctrl+?",
     [](T t) { t.window.ShowKeyboardShortcuts(); }, Always, false},
    {CommandId::About, "&About", false, "&About this software", "",
     [](T t) { t.controller.ShowAbout(); }, Always, false},
    // The Go button and Ctrl+L have no menu item; Ctrl+L only moves the focus to the
    // address box. Their captions name them in the Keyboard Shortcuts window.
    // Go, as Enter in the address box, hands the keyboard to the view shown.
    {CommandId::Go, nullptr, false, "Go", "", [](T t) { t.controller.Go(); }, Always, true},
    {CommandId::FocusAddress, nullptr, false, Translatable("Go to the Address Box"), "Ctrl+L",
     [](T t) { t.window.FocusAddressBox(); }, Always, false},
};

// The zoom keys as other browsers take them too: Ctrl+= without Shift, and the keypad's.
constexpr ExtraShortcut kExtraShortcuts[] = {
    {"Ctrl+=", CommandId::ZoomIn},
    {"Ctrl+KP_Add", CommandId::ZoomIn},
    {"Ctrl+KP_Subtract", CommandId::ZoomOut},
    {"Ctrl+KP_0", CommandId::ActualSize},
    // The key desktop browsers show a page's source with.
    {"Ctrl+U", CommandId::ServedSourceView},
    // The desktop's own browser's keys for the next and previous match and for the
    // address box; Go to Line takes Ctrl+I, as in the desktop's text editor.
    {"Ctrl+G", CommandId::FindNext},
    {"Ctrl+Shift+G", CommandId::FindPrevious},
    {"F6", CommandId::FocusAddress},
    {"Alt+D", CommandId::FocusAddress},
    {"Ctrl+/", CommandId::KeyboardShortcuts},
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
