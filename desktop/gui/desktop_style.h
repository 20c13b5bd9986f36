#pragma once

namespace quorvane {

// Reads once, at start, whether the desktop prefers a dark style (the settings portal,
// then GTK's settings) and has GTK follow it, so that the windows and the engine's views
// take the desktop's style: the toolkit does not ask the portal itself. Returns whether
// the style is dark.
bool FollowDesktopStyle();

}  // namespace quorvane
