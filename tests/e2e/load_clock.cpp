#include "tests/e2e/load_clock.h"

#include <wx/webview.h>

#include <utility>

namespace quorvane::test {

LoadClock::LoadClock(MainFrame& frame, std::array<std::string, 3> addresses)
    : addresses_(std::move(addresses)) {
    // A generated view never shown yet has no engine, nor a load to time.
    for (int i = 0; i < 3; ++i) {
        windows_[i] = frame.Element(i).Window();
        if (windows_[i] != nullptr) {
            windows_[i]->Bind(wxEVT_WEBVIEW_LOADED, &LoadClock::OnLoaded, this);
        }
    }
}

LoadClock::~LoadClock() {
    for (wxWebView* window : windows_) {
        if (window != nullptr) {
            window->Unbind(wxEVT_WEBVIEW_LOADED, &LoadClock::OnLoaded, this);
        }
    }
}

// wxWebView raises its load end just before the element's own LoadFinished, in the
// same engine notification.
void LoadClock::OnLoaded(wxWebViewEvent& event) {
    event.Skip();
    const auto now = Clock::now();
    for (int i = 0; i < 3; ++i) {
        const bool counts = i == 0 || ended_[0].has_value();
        if (event.GetEventObject() == windows_[i] && !ended_[i] && counts &&
            event.GetURL().utf8_string() == addresses_[i]) {
            ended_[i] = now;
        }
    }
}

}  // namespace quorvane::test
