#pragma once

#include <chrono>
#include <functional>

namespace quorvane::test {

// Runs the GUI's events (wxWidgets, GTK and WebKit) until done() is true or the time
// is up; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Runs the GUI's events for a while.
void PumpEvents(std::chrono::milliseconds duration);

}  // namespace quorvane::test
