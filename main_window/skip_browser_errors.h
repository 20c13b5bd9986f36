#pragma once

#include "engine/browser_element.h"

namespace quorvane {

// Runs one step of a handler that skips what the browser cannot carry out (no earlier
// page, no document) and goes on with its next step. Only the browser's own failures
// are skipped, so a fault of the program itself still shows.
template <typename Step>
void SkipBrowserErrors(Step step) {
    try {
        step();
    } catch (const BrowserError&) {
    }
}

}  // namespace quorvane
