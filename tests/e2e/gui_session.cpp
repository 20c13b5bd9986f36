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

// Settings, caches, the engine's data and its sockets in folders of this process's own,
// made afresh: test binaries running side by side, or one left from an earlier process of
// the same number, share none of them.
std::filesystem::path UseOwnHome() {
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("quorvane-e2e-home-" + std::to_string(getpid()));
    std::filesystem::remove_all(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
    for (const char* folder : {"config", "data", "cache", "runtime"}) {
        std::filesystem::create_directories(home / folder);
    }
    std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
    // The display has no session bus, so desktop settings are kept in memory.
    setenv("GSETTINGS_BACKEND", "memory", 1);
    // The engine's processes may outlive the session a moment, and would write their
    // shader cache into the home removed by then.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    return home;
}

}  // namespace

GuiSession::GuiSession(int& argc, char** argv) : home_(UseOwnHome()) {
    wxApp::SetInstance(new SessionApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return;
    }
    started_ = true;
    loop_ = std::make_unique<wxGUIEventLoop>();
    active_ = std::make_unique<wxEventLoopActivator>(loop_.get());
}

GuiSession::~GuiSession() {
    if (started_) {
        active_.reset();
        loop_.reset();
        wxTheApp->OnExit();
        wxEntryCleanup();
    }
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}

}  // namespace quorvane::test
