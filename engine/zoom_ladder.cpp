#include "engine/zoom_ladder.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace quorvane {
namespace {

// The engine keeps the level as a double; a level read back may differ from the rung it
// was set to in the last digits.
constexpr double kSameLevel = 0.001;

}  // namespace

double ZoomedIn(double level) {
    const auto* above = std::find_if(std::begin(kZoomLadder), std::end(kZoomLadder),
                                     [level](double rung) { return rung > level + kSameLevel; });
    return above == std::end(kZoomLadder) ? std::max(level, kZoomLadder[std::size(kZoomLadder) - 1])
                                          : *above;
}

double ZoomedOut(double level) {
    const auto below = std::find_if(std::rbegin(kZoomLadder), std::rend(kZoomLadder),
                                    [level](double rung) { return rung < level - kSameLevel; });
    return below == std::rend(kZoomLadder) ? std::min(level, kZoomLadder[0]) : *below;
}

std::string ZoomPercent(double level) {
    return std::to_string(std::lround(level * 100)) + " %";
}

bool IsActualSize(double level) {
    return std::abs(level - kActualSize) < kSameLevel;
}

}  // namespace quorvane
