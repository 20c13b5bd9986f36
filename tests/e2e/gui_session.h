#pragma once

#include <filesystem>
#include <memory>

class wxEventLoopBase;
class wxEventLoopActivator;

namespace quorvane::test {

// wxWidgets started in this process for code that drives the windows itself (the
// end-to-end tests and the views benchmark), with settings, caches and runtime files in a
// home of the process's own, never the user's, removed when the session ends. An event
// loop is active while the session lives; callers run the GUI's events themselves
// (event_pump.h).
class GuiSession {
  public:
    GuiSession(int& argc, char** argv);
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    bool Started() const { return started_; }

  private:
    std::filesystem::path home_;
    bool started_ = false;
    std::unique_ptr<wxEventLoopBase> loop_;
    std::unique_ptr<wxEventLoopActivator> active_;
};

}  // namespace quorvane::test
