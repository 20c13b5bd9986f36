#pragma once

namespace quorvane::test {

// Asks a top-level X window to close, as a window manager does when the user clicks
// its close box (WM_DELETE_WINDOW). False when the display cannot be opened.
bool SendCloseRequest(unsigned long window);

}  // namespace quorvane::test
