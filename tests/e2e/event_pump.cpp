#include "tests/e2e/event_pump.h"

#include <glib.h>
#include <wx/app.h>
#include <wx/utils.h>

namespace quorvane::test {
namespace {

void RunPendingEvents() {
    while (g_main_context_pending(nullptr)) {
        g_main_context_iteration(nullptr, FALSE);
    }
    wxTheApp->ProcessPendingEvents();
    // Windows closed with Destroy() go at idle time.
    wxTheApp->ProcessIdle();
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        RunPendingEvents();
        wxMilliSleep(1);
    }
    return true;
}

void PumpEvents(std::chrono::milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

}  // namespace quorvane::test
