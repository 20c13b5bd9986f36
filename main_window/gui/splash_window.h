#pragma once

#include <functional>
#include <string>

#include <wx/frame.h>
#include <wx/timer.h>

#include "desktop/start_request.h"
#include "main_window/splash_ticker.h"

namespace quorvane {

class MainFrame;

// The borderless start window. Its Load fills the branding values and starts its timer;
// on the 75th tick it opens the main window and hides itself: maximised for a person's start,
// beside its opener for a window opened from another.
class SplashWindow : public wxFrame {
  public:
    // startFailed is told the error's message when the main window cannot be loaded;
    // start-up then ends with that message.
    // request: what the main window loads first, and who asked.
    explicit SplashWindow(std::function<void(const std::string&)> startFailed,
                          StartRequest request = {});

  private:
    void Load();
    void OnStartTick(wxTimerEvent& event);
    void LoadMainWindow();
    void PlaceMainWindow(MainFrame& main) const;

    std::function<void(const std::string&)> startFailed_;
    StartRequest request_;
    SplashTicker ticker_;
    wxTimer startTimer_;
};

}  // namespace quorvane
