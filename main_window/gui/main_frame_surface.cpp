// MainFrame as the surface of the window's logic: what MainWindowController reads and writes
// on the controls, and the end of the window's run.
#include <glib.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "desktop/gui/window_helpers.h"
#include "desktop/program_folder.h"
#include "main_window/gui/find_bar.h"
#include "main_window/gui/main_frame.h"

namespace quorvane {

void MainFrame::SetWindowIcon() {
    quorvane::SetIcon(this, "AAA", true);
}

void MainFrame::SetWebsiteCaptions(const std::string& website) {
    websiteButton_->SetLabel("Visit " + wxString::FromUTF8(website));
    // Its first letter is the item's access key; an "&" of the address is shown as one.
    wxString caption = wxString::FromUTF8(website);
    caption.Replace("&", "&&");
    GetMenuBar()->SetLabel(CommandWindowId(CommandId::Website), "&" + caption);
}

void MainFrame::SetCaption(const std::string& caption) {
    SetTitle(wxString::FromUTF8(caption));
}

int MainFrame::StatusPanelCount() const {
    return statusBar_->GetFieldsCount();
}

void MainFrame::AddStatusPanel() {
    statusBar_->SetFieldsCount(statusBar_->GetFieldsCount() + 1);
    places_.panelWidths.resize(statusBar_->GetFieldsCount(), places_.panelWidths.back());
}

std::string MainFrame::AddressText() const {
    return addressBox_->GetValue().utf8_string();
}

// A box whose whole text is selected (as at start, or after Ctrl+L) keeps it selected
// when a new address replaces it, so that what the user types still replaces all of it.
// So does an empty box: the user has just cleared it to type.
void MainFrame::SetAddressText(const std::string& text) {
    long from = 0;
    long to = 0;
    addressBox_->GetSelection(&from, &to);
    const bool allSelected = from == 0 && to == addressBox_->GetLastPosition();
    addressBox_->ChangeValue(wxString::FromUTF8(text));
    if (allSelected) {
        addressBox_->SelectAll();
    }
}

void MainFrame::SetStatusText(const std::string& text) {
    statusBar_->SetStatusText(wxString::FromUTF8(text), 0);
}

void MainFrame::CallSoon(std::function<void()> step) {
    CallAfter(std::move(step));
}

void MainFrame::SetProgress(float max, float value) {
    const int range = std::max(1, static_cast<int>(std::lround(max)));
    progressBar_->SetRange(range);
    progressBar_->SetValue(std::clamp(static_cast<int>(std::lround(value)), 0, range));
}

int MainFrame::SelectedTab() const {
    return tabStrip_->GetSelection() + 1;
}

void MainFrame::SelectTab(int tab) {
    if (tabStrip_->GetSelection() == tab - 1) {
        return;
    }
    // ChangeSelection raises no event of its own, so the tab strip's Click runs here,
    // exactly once.
    tabStrip_->ChangeSelection(tab - 1);
    controller_->OnTabSelected();
}

std::optional<std::string> MainFrame::ChooseFileToOpen() {
    wxFileDialog dialog(this);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

// The download folder is made when missing, as a download would make it: the dialog
// could not start there otherwise.
std::optional<std::string> MainFrame::ChooseFolderToSaveImages(const std::string& startFolder) {
    std::error_code ignored;
    std::filesystem::create_directories(startFolder, ignored);
    wxDirDialog dialog(this, "Choose a Folder for the Images", wxString::FromUTF8(startFolder));
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return dialog.GetPath().utf8_string();
}

void MainFrame::SetFindStatus(const std::string& status) {
    findBar_->SetStatus(status);
}

// The program itself, given the address as its one argument; no shell reads the address.
void MainFrame::StartNewWindow(const std::string& address) {
    const std::string program = ProgramPath();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    if (!address.empty()) {
        argv.push_back(const_cast<char*>(address.c_str()));
    }
    argv.push_back(nullptr);
    GError* error = nullptr;
    if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                       &error)) {
        controller_->ShowMessage("Could not open a new window: " + std::string(error->message));
        g_error_free(error);
    }
}

void MainFrame::UnloadSplashWindow() {
    if (splash_ != nullptr) {
        splash_->Destroy();
        splash_ = nullptr;
    }
}

void MainFrame::EndProcess() {
    // Every window goes and the event loop ends: no further event reaches the program.
    const std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
    for (wxWindow* window : windows) {
        if (window != this) {
            window->Destroy();
        }
    }
    wxTheApp->ExitMainLoop();
}

void MainFrame::CloseMainWindow() {
    Close(true);
}

}  // namespace quorvane
