#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <optional>

#include "branding/website_request.h"

namespace quorvane {

// The Website window: an invisible window whose load serves websiteRequest and which
// closes itself one second later. It has no parent, so it can outlive the
// main window for that second.
class WebsiteWindow : public wxFrame {
  public:
    explicit WebsiteWindow(const WebsiteLauncher& launch);

    // What the load did: nullopt when the request was not "Website".
    const std::optional<WebsiteVisit>& Visit() const { return visit_; }

  private:
    wxTimer timer1_;
    std::optional<WebsiteVisit> visit_;
};

}  // namespace quorvane
