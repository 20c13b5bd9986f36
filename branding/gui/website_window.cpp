#include "branding/gui/website_window.h"

#include "desktop/gui/twips_size.h"

namespace quorvane {

WebsiteWindow::WebsiteWindow(const WebsiteLauncher& launch)
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_NO_TASKBAR),
      timer1_(this) {
    SetClientSize(TwipsToSize(this, 1830, 1605));
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Destroy(); });
    timer1_.StartOnce(1000);
    visit_ = ServeWebsiteRequest(launch);
}

}  // namespace quorvane
