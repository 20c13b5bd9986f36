#include "tests/e2e/gui_session.h"

#include <stdlib.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <filesystem>
#include <string>

namespace quorvane::test {
namespace {

class SessionApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

void UseOwnHome() {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("quorvane-e2e-home-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
    for (const char* folder : {"config", "data", "cache"}) {
        std::filesystem::create_directories(home / folder);
    }
    // The display has no session bus, so desktop settings are kept in memory.
    setenv("GSETTINGS_BACKEND", "memory", 1);
}

}  // namespace

GuiSession::GuiSession(int& argc, char** argv) {
    UseOwnHome();
    wxApp::SetInstance(new SessionApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return;
    }
    started_ = true;
    loop_ = std::make_unique<wxGUIEventLoop>();
    active_ = std::make_unique<wxEventLoopActivator>(loop_.get());
}

GuiSession::~GuiSession() {
    if (!started_) {
        return;
    }
    active_.reset();
    loop_.reset();
    wxTheApp->OnExit();
    wxEntryCleanup();
}

}  // namespace quorvane::test
