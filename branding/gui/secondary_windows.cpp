#include "branding/gui/secondary_windows.h"

#include <wx/weakref.h>

#include <utility>

#include "branding/about_captions.h"
#include "branding/branding_values.h"
#include "branding/default_browser.h"
#include "branding/gui/about_window.h"
#include "branding/gui/help_window.h"
#include "branding/gui/show_help_setting.h"
#include "branding/gui/website_window.h"
#include "branding/version_record.h"
#include "desktop/program_folder.h"

namespace quorvane {

struct SecondaryWindows::Windows {
    wxWeakRef<HelpWindow> help;
    wxWeakRef<AboutWindow> about;
    wxWeakRef<WebsiteWindow> website;
    WebsiteLauncher launch = OpenInDefaultBrowser;
};

SecondaryWindows::SecondaryWindows(wxWindow* mainWindow, ShowStatus showStatus)
    : mainWindow_(mainWindow),
      showStatus_(std::move(showStatus)),
      windows_(std::make_unique<Windows>()) {}

SecondaryWindows::~SecondaryWindows() = default;

std::string SecondaryWindows::ReadShowHelpSetting() const {
    return ShowHelpSetting(EmbeddedVersionRecord().ProductName).Read();
}

void SecondaryWindows::ShowHelp() {
    if (!windows_->help) {
        windows_->help = new HelpWindow(mainWindow_, ProgramFolder() + "/Help.rtf",
                                        ShowHelpSetting(EmbeddedVersionRecord().ProductName));
    }
    windows_->help->Show();
    windows_->help->Raise();
}

void SecondaryWindows::FocusHelp() {
    if (windows_->help && windows_->help->IsShown()) {
        windows_->help->Raise();
        windows_->help->SetFocus();
    }
}

void SecondaryWindows::UnloadHelp() {
    if (windows_->help) {
        windows_->help->Destroy();
        windows_->help = nullptr;
    }
}

void SecondaryWindows::ShowAbout() {
    if (!windows_->about) {
        windows_->about = new AboutWindow(mainWindow_, MakeAboutCaptions(EmbeddedVersionRecord()),
                                          [this] { RunWebsiteCommand(); });
    }
    windows_->about->Show();
    windows_->about->Raise();
}

void SecondaryWindows::RunWebsiteCommand() {
    websiteRequest = "Website";
    // Loading a loaded window does nothing: the request then waits for the next load.
    if (!windows_->website) {
        windows_->website = new WebsiteWindow(windows_->launch);
        const auto& visit = windows_->website->Visit();
        if (visit && visit->failure && showStatus_) {
            showStatus_(WebsiteNotStartedMessage(visit->address, *visit->failure));
        }
    }
}

bool SecondaryWindows::WebsiteWindowShown() const {
    return windows_->website.get() != nullptr;
}

void SecondaryWindows::SetWebsiteLauncher(WebsiteLauncher launch) {
    windows_->launch = std::move(launch);
}

}  // namespace quorvane
