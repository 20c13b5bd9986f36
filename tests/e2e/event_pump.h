#pragma once

#include <chrono>
#include <functional>

class wxWindow;

namespace quorvane::test {

// Runs the GUI's events (wxWidgets, GTK and WebKit) until done() is true or the time
// is up; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Runs the GUI's events until every event the X server sent this process before the call
// (keys and clicks another program made) has been handled; false when that takes longer
// than timeout. A mark set on a window of the test's own comes back as an event after them.
bool WaitUntilEarlierInputHandled(std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Destroys a top-level window, which wxWidgets deletes at idle time, and runs the GUI's
// events until it has been; false when that takes longer than timeout.
bool DestroyAndWait(wxWindow* topLevel,
                    std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Runs the GUI's events for a while: for the benchmarks, which let a scene settle before
// they measure. A test waits for the event it expects instead.
void PumpEvents(std::chrono::milliseconds duration);

}  // namespace quorvane::test
