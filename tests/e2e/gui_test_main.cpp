// The entry point of the end-to-end tests that drive the windows in this process: wx
// is started once, and every test runs the GUI's events itself (event_pump.h).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <filesystem>
#include <string>

namespace {

class TestApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// Settings and caches go to a home of the test's own, never the user's.
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

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    UseOwnHome();
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 2;
    }
    int result = 0;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        result = RUN_ALL_TESTS();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
