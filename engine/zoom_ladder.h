#pragma once

#include <string>

namespace quorvane {

// The zoom levels a view steps through, as factors of the page's own size: 30 % to
// 300 %, closer together near 100 %, as desktop browsers step.
inline constexpr double kZoomLadder[] = {0.3,  0.5, 0.67, 0.8, 0.9, 1.0, 1.1,
                                         1.25, 1.5, 1.75, 2.0, 2.5, 3.0};
inline constexpr double kActualSize = 1.0;

// The next level of the ladder above level (below it for ZoomedOut); at the ends of the
// ladder, and beyond them, the level stays as it is. A level between two rungs goes to the nearer
// rung in that direction, so a view zoomed some other way comes back onto the ladder.
double ZoomedIn(double level);
double ZoomedOut(double level);

// The level as the user reads it, in whole percent: "150 %".
std::string ZoomPercent(double level);
bool IsActualSize(double level);

}  // namespace quorvane
