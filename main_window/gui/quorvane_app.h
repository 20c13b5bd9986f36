#pragma once

#include <string>

#include <wx/app.h>

namespace quorvane {

// The program: it starts in the splash window, which opens the main window.
class QuorvaneApp : public wxApp {
  public:
    bool OnInit() override;
    int OnRun() override;

  private:
    // Ends a start-up that failed, with a message that names the error.
    void EndStartUp(const std::string& message);

    bool startFailed_ = false;
};

}  // namespace quorvane
