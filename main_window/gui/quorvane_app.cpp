#include "main_window/gui/quorvane_app.h"

#include <wx/image.h>
#include <wx/msgdlg.h>

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "branding/branding_values.h"
#include "desktop/command_line_address.h"
#include "desktop/gui/desktop_style.h"
#include "desktop/gui/user_language.h"
#include "desktop/program_folder.h"
#include "desktop/start_request.h"
#include "main_window/gui/splash_window.h"

namespace quorvane {

bool QuorvaneApp::OnInit() {
    UseTheUsersLanguage(ProgramFolder());
    wxInitAllImageHandlers();
    // Before the first window, so every window is made in the desktop's style.
    FollowDesktopStyle();
    // A window the program opens starts a copy of it with the page's address and the
    // opener's place.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(argv[i].utf8_string());
    }
    StartRequest request = ReadStartArguments(arguments);
    if (request.startedBy == StartedBy::Person) {
        std::error_code unknown;
        request.address =
            CommandLineAddress(request.address, std::filesystem::current_path(unknown));
    }
    auto* splash = new SplashWindow([this](const std::string& message) { EndStartUp(message); },
                                    std::move(request));
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
