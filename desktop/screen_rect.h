#pragma once

namespace quorvane {

// A window's place on the screen, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

}  // namespace quorvane
