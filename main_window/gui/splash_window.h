#pragma once

#include <functional>
#include <string>

#include <wx/frame.h>
#include <wx/timer.h>

#include "main_window/splash_ticker.h"

namespace quorvane {

// The borderless start window. Its Load fills the branding values and starts its timer;
// on the 75th tick it opens the main window maximised and hides itself.
class SplashWindow : public wxFrame {
  public:
    // startFailed is told the error's message when the main window cannot be loaded;
    // start-up then ends with that message.
    // startAddress: what the main window loads first; its home page when empty.
    explicit SplashWindow(std::function<void(const std::string&)> startFailed,
                          std::string startAddress = {});

  private:
    void Load();
    void OnStartTick(wxTimerEvent& event);
    void LoadMainWindow();

    std::function<void(const std::string&)> startFailed_;
    std::string startAddress_;
    SplashTicker ticker_;
    wxTimer startTimer_;
};

}  // namespace quorvane
