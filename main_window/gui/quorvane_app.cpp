#include "main_window/gui/quorvane_app.h"

#include <wx/image.h>
#include <wx/msgdlg.h>

#include <vector>

#include "branding/branding_values.h"
#include "desktop/gui/desktop_style.h"
#include "main_window/gui/splash_window.h"

namespace quorvane {

bool QuorvaneApp::OnInit() {
    wxInitAllImageHandlers();
    // Before the first window, so every window is made in the desktop's style.
    FollowDesktopStyle();
    // A window the program opens for a page starts a copy of it with the page's address.
    const std::string startAddress = argc > 1 ? argv[1].utf8_string() : std::string();
    auto* splash =
        new SplashWindow([this](const std::string& message) { EndStartUp(message); }, startAddress);
    splash->Show();
    return true;
}

int QuorvaneApp::OnRun() {
    const int status = wxApp::OnRun();
    return startFailed_ ? 1 : status;
}

void QuorvaneApp::EndStartUp(const std::string& message) {
    startFailed_ = true;
    wxMessageBox(wxString::FromUTF8(message), wxString::FromUTF8(branding.productName),
                 wxOK | wxICON_ERROR);
    const std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
    for (wxWindow* window : windows) {
        window->Destroy();
    }
    ExitMainLoop();
}

}  // namespace quorvane
