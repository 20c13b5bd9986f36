#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include "branding/website_request.h"

namespace quorvane {

// The Website window: an invisible window whose load serves websiteRequest and which
// closes itself one second later. It has no parent, so it can outlive the
// main window for that second.
class WebsiteWindow : public wxFrame {
  public:
    explicit WebsiteWindow(const WebsiteLauncher& launch);

  private:
    wxTimer timer1_;
};

}  // namespace quorvane
